#include "res/control_fit.h"
#include "res/control_ids.h"
#include "res/dialog_template.h"

#include <algorithm>
#include <map>
#include <vector>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/listbox.h>
#include <wx/listctrl.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/spinbutt.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>
#include <wx/valtext.h>

namespace res {
namespace {

std::map<wxString, CustomControlFactory>& ControlClasses() {
    static std::map<wxString, CustomControlFactory> classes;
    return classes;
}

HelpHandler& InstalledHelp() {
    static HelpHandler handler;
    return handler;
}

long TextAlignment(unsigned style) {
    if (style & kStyleRight) return wxALIGN_RIGHT;
    if (style & kStyleCentre) return wxALIGN_CENTRE_HORIZONTAL;
    return 0;
}

wxWindow* MakeEdit(wxWindow* parent, int id, const ControlTemplate& c, const wxPoint& pos,
                   const wxSize& size) {
    long style = 0;
    if (c.style & kStyleMultiline) style |= wxTE_MULTILINE;
    if (c.style & kStyleReadOnly) style |= wxTE_READONLY;
    if (c.style & kStylePassword) style |= wxTE_PASSWORD;
    if (c.style & kStyleRight) style |= wxTE_RIGHT;
    if (c.style & kStyleCentre) style |= wxTE_CENTRE;
    auto* edit = new TemplateEdit(parent, id, c.text, pos, size, style);
    if (c.style & kStyleNumber) edit->SetValidator(wxTextValidator(wxFILTER_DIGITS));
    return edit;
}

// An up-down control writes its position into the edit before it, and follows
// what is typed there, as an auto-buddy with integer setting does.
void AttachBuddy(wxSpinButton* spin, wxTextCtrl* buddy) {
    spin->Bind(wxEVT_SPIN, [spin, buddy](wxSpinEvent&) {
        buddy->SetValue(wxString::Format("%d", spin->GetValue()));
    });
    buddy->Bind(wxEVT_TEXT, [spin, buddy](wxCommandEvent& event) {
        long value = 0;
        if (buddy->GetValue().ToLong(&value) && value >= spin->GetMin() && value <= spin->GetMax())
            spin->SetValue(static_cast<int>(value));
        event.Skip();
    });
}

wxWindow* MakeControl(wxWindow* parent, const ControlTemplate& c, wxWindow* previous) {
    const int id = c.id == IDC_STATIC ? wxID_ANY : ToWxId(c.id);
    const wxPoint pos = parent->ConvertDialogToPixels(wxPoint(c.x, c.y));
    const wxSize size = parent->ConvertDialogToPixels(wxSize(c.cx, c.cy));
    const long sunken = (c.style & kStyleSunken) ? wxBORDER_SUNKEN : 0;
    const long sorted = (c.style & kStyleSorted) ? wxCB_SORT : 0;
    switch (c.kind) {
    case ControlKind::Static:
        return new wxStaticText(parent, id, c.text, pos, size,
                                TextAlignment(c.style) | wxST_NO_AUTORESIZE | sunken);
    case ControlKind::Frame:
        return new wxPanel(parent, id, pos, size, sunken ? sunken : long(wxBORDER_SIMPLE));
    case ControlKind::Edit:
        return MakeEdit(parent, id, c, pos, size);
    case ControlKind::Button:
        return new TemplateButton(parent, id, c.text, pos, size);
    case ControlKind::DefButton: {
        auto* button = new TemplateButton(parent, id, c.text, pos, size);
        button->SetDefault();
        return button;
    }
    case ControlKind::CheckBox:
        return new wxCheckBox(parent, id, c.text, pos, size);
    case ControlKind::Radio:
        return new wxRadioButton(parent, id, c.text, pos, size,
                                 (c.style & kStyleGroup) ? wxRB_GROUP : 0);
    case ControlKind::GroupBox:
        return new wxStaticBox(parent, id, c.text, pos, size);
    case ControlKind::ComboBox:
        return new FittingComboBox(parent, id, c.text, pos, size, wxCB_DROPDOWN | sorted);
    case ControlKind::DropList:
        return new FittingComboBox(parent, id, c.text, pos, size, wxCB_READONLY | sorted);
    case ControlKind::ListBox:
        return new wxListBox(parent, id, pos, size, 0, nullptr,
                             (c.style & kStyleSorted) ? wxLB_SORT : 0);
    case ControlKind::ListView:
        return new wxListCtrl(parent, id, pos, size, wxLC_REPORT | wxBORDER_SUNKEN);
    case ControlKind::Spin: {
        auto* spin = new TemplateSpin(parent, id, pos, size);
        if (c.style & kStyleAutoBuddy)
            if (auto* buddy = dynamic_cast<wxTextCtrl*>(previous)) {
                AttachBuddy(spin, buddy);
                spin->SetBuddy(buddy);
            }
        return spin;
    }
    case ControlKind::Custom: {
        auto found = ControlClasses().find(c.className);
        if (found != ControlClasses().end()) return found->second(parent, id, pos, size, c.style);
        return new wxPanel(parent, id, pos, size, wxBORDER_SIMPLE);
    }
    }
    return nullptr;
}

} // namespace

void RegisterControlClass(const wxString& className, CustomControlFactory factory) {
    ControlClasses()[className] = std::move(factory);
}

void SetHelpHandler(HelpHandler handler) {
    InstalledHelp() = std::move(handler);
}

void BuildDialog(wxWindow* dialog, const DialogTemplate& dialogTemplate) {
    if (auto* topLevel = dynamic_cast<wxTopLevelWindow*>(dialog))
        topLevel->SetTitle(dialogTemplate.caption);
    dialog->SetClientSize(
        dialog->ConvertDialogToPixels(wxSize(dialogTemplate.cx, dialogTemplate.cy)));
    wxWindow* previous = nullptr;
    std::vector<wxWindow*> built;
    for (const ControlTemplate& c : dialogTemplate.controls) {
        wxWindow* control = MakeControl(dialog, c, previous);
        built.push_back(control);
        if (!control) continue;
        if (c.style & kStyleDisabled) control->Disable();
        if (c.style & kStyleHidden) control->Hide();
        previous = control;
    }
    // Texts grow once every neighbour is in place, so none is covered.
    for (size_t i = 0; i < built.size(); ++i)
        if (built[i]) FitToText(built[i], dialogTemplate.controls[i]);
    for (wxWindow* control : built)
        if (auto* spin = dynamic_cast<TemplateSpin*>(control)) spin->FitAgain();
    // The toolkit styles an up-down control only once its window is on the screen.
    if (dialog->IsTopLevel())
        dialog->Bind(wxEVT_SHOW, [dialog](wxShowEvent& event) {
            event.Skip();
            if (!event.IsShown()) return;
            for (wxWindow* control : dialog->GetChildren())
                if (auto* spin = dynamic_cast<TemplateSpin*>(control)) spin->FitAgain();
        });
    LineUpLabels(built, dialogTemplate);
    const int helpId = dialogTemplate.helpId ? dialogTemplate.helpId : dialogTemplate.id;
    dialog->Bind(wxEVT_CHAR_HOOK, [helpId](wxKeyEvent& event) {
        if (event.GetKeyCode() == WXK_F1 && !event.HasAnyModifiers() && InstalledHelp())
            InstalledHelp()(helpId);
        else
            event.Skip();
    });
}

wxWindow* FindControl(const wxWindow* dialog, int resourceId) {
    if (!dialog) return nullptr;
    return dialog->FindWindow(ToWxId(resourceId));
}

} // namespace res
