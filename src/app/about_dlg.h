#pragma once
// The about box of the application's command "关于 qv(&A)...": the program's
// picture, the product title and two more links that open the help, and the
// rights line.
#include <wx/dialog.h>

class CAboutDlg : public wxDialog {
public:
    // Makes the about box the frame's About command.
    static void Register();

    explicit CAboutDlg(wxWindow* parent = nullptr);
};
