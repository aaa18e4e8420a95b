#include "common/form_driver.h"

#include "common/program_folder.h"
#include "platform/wx_text.h"
#include "res/dialog_template.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>
#include <wx/combobox.h>
#include <wx/textctrl.h>

namespace qv_test {

void Type(wxWindow* dialog, int resourceId, const char* text) {
    wxWindow* control = res::FindControl(dialog, resourceId);
    if (auto* edit = dynamic_cast<wxTextCtrl*>(control))
        edit->SetValue(U(text));
    else if (auto* combo = dynamic_cast<wxComboBox*>(control))
        combo->SetValue(U(text));
    else
        ADD_FAILURE() << "no edit or combo box " << resourceId;
}

wxString Text(wxWindow* dialog, int resourceId) {
    wxWindow* control = res::FindControl(dialog, resourceId);
    if (auto* edit = dynamic_cast<wxTextCtrl*>(control)) return edit->GetValue();
    if (auto* combo = dynamic_cast<wxComboBox*>(control)) return combo->GetValue();
    ADD_FAILURE() << "no edit or combo box " << resourceId;
    return wxString();
}

void Click(wxWindow* dialog, int resourceId) {
    wxWindow* button = res::FindControl(dialog, resourceId);
    ASSERT_NE(button, nullptr) << resourceId;
    wxCommandEvent event(wxEVT_BUTTON, button->GetId());
    event.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(event);
}

bool WaitFor(const std::function<bool()>& condition, int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() > end) return false;
        Pump(1);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

} // namespace qv_test
