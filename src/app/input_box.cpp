#include "app/input_box.h"

#include "res/control_ids.h"
#include "res/input_box_template.h"

#include <wx/stattext.h>
#include <wx/textctrl.h>

using namespace res::input_box;

CInputBoxDlg::CInputBoxDlg(wxWindow* parent) : wxDialog(parent, wxID_ANY, wxEmptyString) {
    res::BuildDialog(this, res::InputBoxTemplate());
    Bind(wxEVT_BUTTON, &CInputBoxDlg::OnOK, this, wxID_OK);
    Centre();
}

bool CInputBoxDlg::TransferDataToWindow() {
    res::Control<wxStaticText>(this, kPrompt)->SetLabel(m_strPrompt);
    res::Control<wxTextCtrl>(this, kInputEdit)->SetFocus();
    return true;
}

void CInputBoxDlg::OnOK(wxCommandEvent&) {
    m_strInput = res::Control<wxTextCtrl>(this, kInputEdit)->GetValue();
    EndModal(wxID_OK);
}
