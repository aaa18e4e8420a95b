#include "app/about_dlg.h"

#include "app/hyper_link.h"
#include "app/main_frame.h"
#include "res/about_template.h"

#include <wx/toplevel.h>

using namespace res::about;

void CAboutDlg::Register() {
    CHyperLink::RegisterClass();
    CMainFrame::RegisterForm(FormKind::About, [](CMainFrame& frame, int, const wxString&) {
        CAboutDlg dialog(&frame);
        dialog.ShowModal();
    });
}

CAboutDlg::CAboutDlg(wxWindow* parent) : wxDialog(parent, wxID_ANY, wxEmptyString) {
    res::BuildDialog(this, res::AboutTemplate());
    if (auto* frame = dynamic_cast<wxTopLevelWindow*>(parent)) SetIcons(frame->GetIcons());
    if (auto* title = res::Control<CHyperLink>(this, kTitleLink))
        title->SetCaption("Norvale" + wxString::FromUTF8("管理系统(V9.15)"));
    Centre();
}
