#include "platform/message_box_wx.h"

#include "platform/message_box.h"

#include <wx/msgdlg.h>

namespace platform {

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
        switch (wxMessageBox(wxString::FromUTF8(text), title, style)) {
        case wxYES:
            return IDYES;
        case wxNO:
            return IDNO;
        case wxCANCEL:
            return IDCANCEL;
        default:
            return IDOK;
        }
    });
}

} // namespace platform
