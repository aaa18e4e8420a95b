#include "app/background_dlg.h"

#include "app/text_view.h"
#include "data/setting_files.h"
#include "res/background_template.h"
#include "res/control_ids.h"

#include <wx/button.h>
#include <wx/textctrl.h>

using namespace res::background;

CBackgroundDlg::CBackgroundDlg(wxWindow* parent, CTextView* view)
    : wxDialog(parent, wxID_ANY, wxEmptyString), m_pView(view) {
    res::BuildDialog(this, res::BackgroundTemplate());
    res::Control<wxTextCtrl>(this, kPathEdit)->SetValue(m_pView->GetPicturePath());
    Bind(wxEVT_BUTTON, &CBackgroundDlg::OnBrowse, this, res::ToWxId(kBrowseButton));
    Bind(wxEVT_BUTTON, &CBackgroundDlg::OnOK, this, res::ToWxId(kOkButton));
    Bind(wxEVT_BUTTON, &CBackgroundDlg::OnCancelButton, this, res::ToWxId(kCancelButton));
    CentreOnParent();
}

void CBackgroundDlg::OnBrowse(wxCommandEvent&) {
    wxString path = m_pView->BrowsePicture();
    if (!path.empty()) res::Control<wxTextCtrl>(this, kPathEdit)->SetValue(path);
}

void CBackgroundDlg::OnOK(wxCommandEvent&) {
    wxString path = res::Control<wxTextCtrl>(this, kPathEdit)->GetValue();
    if (!CSettingFiles::WriteSettingFile("OtherFiles", path)) return;
    m_pView->SetPicturePath(path);
    m_pView->SetPictureMode(0);
    EndModal(wxID_OK);
}

// Leaves the background as it was.
void CBackgroundDlg::OnCancelButton(wxCommandEvent&) {
    EndModal(wxID_CANCEL);
}
