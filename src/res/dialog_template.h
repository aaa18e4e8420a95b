#pragma once
// Dialog templates: one table per dialog (ID, caption, size and controls in
// dialog units), built into wx controls by BuildDialog. Every dialog of the
// program is laid out this way, so positions stay those of the resource tables.
#include "res/control_ids.h"

#include <functional>
#include <vector>
#include <wx/event.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

class wxWindow;

namespace res {

enum class ControlKind {
    Static,    // label
    Frame,     // a bordered plain area (sample swatches, pictures)
    Edit,      // single-line edit
    Button,    // push button
    DefButton, // default push button
    CheckBox,  // automatic check box
    Radio,     // automatic radio button
    GroupBox,  // labelled group frame
    ComboBox,  // combo box with an edit field
    DropList,  // combo box with a list only
    ListBox,   // list box
    ListView,  // report-view list
    Spin,      // up-down control
    Custom,    // a registered window class, by the template's class name
};

// Style bits of a control; the builder maps them to wx styles.
enum : unsigned {
    kStyleNone = 0,
    kStyleDisabled = 1u << 0,
    kStyleHidden = 1u << 1,
    kStyleGroup = 1u << 2,      // first radio button of a group
    kStyleNumber = 1u << 3,     // edit accepting digits only
    kStyleReadOnly = 1u << 4,   // edit that cannot be typed into
    kStyleMultiline = 1u << 5,  // multi-line edit
    kStylePassword = 1u << 6,   // edit showing bullets
    kStyleRight = 1u << 7,      // right-aligned text
    kStyleCentre = 1u << 8,     // centred text
    kStyleSunken = 1u << 9,     // sunken border (statics and frames)
    kStyleSorted = 1u << 10,    // sorted list or combo box
    kStyleAutoBuddy = 1u << 11, // spin that sets the number of the control before it
};

struct ControlTemplate {
    ControlKind kind;
    int id; // resource ID; IDC_STATIC for labels
    wxString text;
    int x, y, cx, cy; // dialog units
    unsigned style = kStyleNone;
    wxString className = wxString(); // for ControlKind::Custom
};

struct DialogTemplate {
    int id;
    wxString caption;
    int cx, cy; // client size in dialog units
    std::vector<ControlTemplate> controls;
    int helpId = 0; // the help context F1 asks for; 0 = the dialog's own ID
};

// Makes a custom control of a registered window class: (parent, wx ID, position, size, style).
using CustomControlFactory = std::function<wxWindow*(wxWindow* parent, int wxId, const wxPoint& pos,
                                                     const wxSize& size, unsigned style)>;

// Registers the factory of a window class that templates may place as ControlKind::Custom.
// Registering a name again replaces the factory.
void RegisterControlClass(const wxString& className, CustomControlFactory factory);

// Answers F1 in a dialog built from a template, with the template's help ID; the
// application installs the one handler at start-up.
using HelpHandler = std::function<void(int helpId)>;
void SetHelpHandler(HelpHandler handler);

// Sets the caption and client size of `dialog` and creates its controls in template
// order (which is also the tab order). Controls get the wx IDs of ToWxId. A control
// whose text needs more room than its rectangle on this toolkit grows to fit, moving
// nothing else; a combo box is one line high (the template's height is its open
// list). A custom control of an unregistered class becomes a plain bordered window.
// F1 in the dialog goes to the help handler.
void BuildDialog(wxWindow* dialog, const DialogTemplate& dialogTemplate);

// The control of `dialog` with the given resource ID, or null.
wxWindow* FindControl(const wxWindow* dialog, int resourceId);
template <class T> T* Control(const wxWindow* dialog, int resourceId) {
    return dynamic_cast<T*>(FindControl(dialog, resourceId));
}

// Runs `handler` of `dialog` when its button with the given resource ID is pressed.
template <class D> void BindButton(D* dialog, int resourceId, void (D::*handler)()) {
    dialog->Bind(
        wxEVT_BUTTON, [dialog, handler](wxCommandEvent&) { (dialog->*handler)(); },
        ToWxId(resourceId));
}

} // namespace res
