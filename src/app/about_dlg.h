#pragma once
// The about box of the application's command "关于 qv(&A)...": the product title as
// a link that opens the help.
#include <wx/dialog.h>

class CAboutDlg : public wxDialog {
public:
    // Makes the about box the frame's About command.
    static void Register();

    explicit CAboutDlg(wxWindow* parent = nullptr);
};
