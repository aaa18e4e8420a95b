#include "app/about_dlg.h"

#include "app/hyper_link.h"
#include "app/main_frame.h"
#include "res/about_template.h"
#include "res/bitmaps.h"

#include <wx/statbmp.h>
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
    // The program has no mail or web address of its own: both links open its help.
    if (auto* help = res::Control<CHyperLink>(this, kHelpLink))
        help->SetCaption(wxString::FromUTF8("帮助主题"));
    if (auto* book = res::Control<CHyperLink>(this, kPictureLink)) {
        book->SetURL(wxString::FromUTF8("帮助主题"));
        book->SetBitmap(res::HelpBookBitmap());
    }
    if (wxWindow* area = res::FindControl(this, kPicture)) {
        area->SetWindowStyle(wxBORDER_NONE);
        const wxSize size = area->GetSize();
        new wxStaticBitmap(area, wxID_ANY, res::AboutPictureBitmap(),
                           wxPoint((size.x - 48) / 2, (size.y - 48) / 2));
    }
    Centre();
}
