#pragma once
// The background dialog: the operator picks the picture of the lower pane. The
// path is kept as the one line of the settings file "OtherFiles".
#include <wx/dialog.h>

class CTextView;

class CBackgroundDlg : public wxDialog {
public:
    CBackgroundDlg(wxWindow* parent, CTextView* view);

private:
    void OnBrowse(wxCommandEvent& event);
    void OnOK(wxCommandEvent& event);
    void OnCancelButton(wxCommandEvent& event);

    CTextView* m_pView;
};
