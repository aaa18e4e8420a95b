#include "common/form_driver.h"

#include "platform/wx_text.h"
#include "res/dialog_template.h"

#include <gtest/gtest.h>
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

} // namespace qv_test
