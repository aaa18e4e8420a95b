#include "platform/message_box_wx.h"

#include "platform/message_box.h"

#include <wx/app.h>
#include <wx/msgdlg.h>
#include <wx/generic/msgdlgg.h>
#include <wx/toplevel.h>

namespace platform {

namespace {

// The box opens over the window the user works in: the active one (a dialog when
// one is up), else the main window.
wxWindow* BoxParent() {
    for (wxWindow* window : {wxGetActiveWindow(), wxTheApp->GetTopWindow()})
        if (window && window->IsShown() && !window->IsBeingDeleted())
            return wxGetTopLevelParent(window);
    return nullptr;
}

} // namespace

void InstallWxMessageBox() {
    SetMessageBoxHandler([](const std::string& text, const std::string& caption, unsigned type) {
        long style = 0;
        switch (type & 0xF) {
        case MB_OKCANCEL:
            style = wxOK | wxCANCEL;
            break;
        case MB_YESNO:
            style = wxYES_NO;
            break;
        case MB_YESNOCANCEL:
            style = wxYES_NO | wxCANCEL;
            break;
        default:
            style = wxOK;
            break;
        }
        switch (type & 0xF0) {
        case MB_ICONERROR:
            style |= wxICON_ERROR;
            break;
        case MB_ICONQUESTION:
            style |= wxICON_QUESTION;
            break;
        case MB_ICONWARNING:
            style |= wxICON_WARNING;
            break;
        case MB_ICONINFORMATION:
            style |= wxICON_INFORMATION;
            break;
        default:
            break;
        }
        wxString title = caption.empty() ? wxString("qv") : wxString::FromUTF8(caption);
        // The generic box runs the dialogs' own modal loop, so it centres on its
        // parent and can be cancelled as any dialog (the program's end does).
        wxGenericMessageDialog box(BoxParent(), wxString::FromUTF8(text), title, style);
        switch (box.ShowModal()) {
        case wxID_YES:
            return IDYES;
        case wxID_NO:
            return IDNO;
        case wxID_CANCEL:
            // A box without a cancel button, cancelled all the same, answers its safe way.
            if (style & wxCANCEL) return IDCANCEL;
            return (style & wxYES_NO) ? IDNO : IDOK;
        default:
            return IDOK;
        }
    });
}

} // namespace platform
