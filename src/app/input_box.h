#pragma once
// The input box: one line of text under the caller's prompt. The caller sets
// m_strPrompt, runs the dialog and, on wxID_OK, reads m_strInput.
#include <wx/dialog.h>

class CInputBoxDlg : public wxDialog {
public:
    explicit CInputBoxDlg(wxWindow* parent = nullptr);

    wxString m_strPrompt;
    wxString m_strInput;

private:
    bool TransferDataToWindow() override;
    void OnOK(wxCommandEvent& event);
};
