#include "app/first_run_dlg.h"

#include "app/first_run.h"
#include "app/qv_app.h"
#include "data/wait_cursor.h"
#include "platform/message_box.h"
#include "res/first_run_template.h"
#include "res/setup_picture.h"

#include <wx/textctrl.h>

using namespace res::first_run;

CFirstRunDlg::CFirstRunDlg(wxWindow* parent) : wxDialog(parent, wxID_ANY, wxEmptyString) {
    res::BuildDialog(this, res::FirstRunTemplate());
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOK(); }, wxID_OK);
    CentreOnScreen();
}

void CFirstRunDlg::OnOK() {
    auto text = [this](int id) { return res::Control<wxTextCtrl>(this, id)->GetValue(); };
    const wxString name = text(kLoginNameEdit);
    const wxString password = text(kPasswordEdit);
    wxString problem = CProgramFolderSetup::CheckCredentials(name, password, text(kRepeatEdit));
    if (problem.empty()) {
        CWaitCursor wait;
        if (CProgramFolderSetup::Create(name, password, &problem)) {
            res::WriteSetupPicture(CQvApp::kSetupPicture);
            EndModal(wxID_OK);
            return;
        }
    }
    platform::ShowMessageBox(problem.utf8_string());
    res::Control<wxTextCtrl>(this, kPasswordEdit)->Clear();
    res::Control<wxTextCtrl>(this, kRepeatEdit)->Clear();
}

bool CFirstRunDlg::SetUpNewFolder() {
    if (!CProgramFolderSetup::IsNewFolder()) return true;
    CFirstRunDlg dialog(nullptr);
    return dialog.ShowModal() == wxID_OK;
}
