#pragma once
// The tip of the day: one tip at a time from "tips.txt" in the program folder,
// "下一页(&N)" steps to the next. The profile section "Tip" remembers where it stopped
// (FilePos, with the file's TimeStamp: an edited file starts again at its first tip)
// and whether it shows at start-up (StartUp 0). "关闭(&C)" stores the check box;
// Escape and the close box store nothing.
#include "app/tips_file.h"

#include <wx/dialog.h>

class CMainFrame;

class CTipDlg : public wxDialog {
public:
    static constexpr const char* kTipsFile = "tips.txt";

    // Makes the tip dialog the frame's command "操作要点(&L)".
    static void Register();
    // Shows the dialog once the frame's login is over, when the profile wants it at
    // start-up.
    static void ShowAfterLogin(CMainFrame* frame);

    explicit CTipDlg(wxWindow* parent = nullptr);
    ~CTipDlg() override;

    int m_bShowAtStart = 0;
    wxString m_strTipText;

private:
    bool TransferDataToWindow() override;
    void OnNext(wxCommandEvent& event);
    void OnOK(wxCommandEvent& event);

    CTipsFile m_tipsFile;
};
