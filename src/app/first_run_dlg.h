#pragma once
// The first-run dialog "建立管理员": on a new program folder the operator names the
// administrator; OK makes the folder's contents (CProgramFolderSetup).
#include <wx/dialog.h>

class CFirstRunDlg : public wxDialog {
public:
    explicit CFirstRunDlg(wxWindow* parent);

    // Checks the typed name and passwords and makes the folder; the dialog stays
    // open with a message when either fails.
    void OnOK();

    // Runs the dialog when the program folder is new. False when the operator left
    // it or the folder could not be made: the program cannot start then.
    static bool SetUpNewFolder();
};
