#pragma once
// The login dialog "系统登录" (dialog 251). Mode 0 logs an operator in to an account
// set and runs the start-up after login; mode 1 changes the operator's password.
// In mode 0 it also creates a set (a new name typed into the set box, confirmed when
// the box is left) and deletes one (删除). The checks and files are the plain
// classes' work: CUsersFile, CAccountSets, CStartupAfterLogin.
#include "app/users_file.h"

#include <wx/dialog.h>

class CMainFrame;
class wxComboBox;
class wxTextCtrl;

class CLoginDlg : public wxDialog {
public:
    // Makes the frame open this dialog for its login and password commands.
    static void Register();

    // The frame's working copies are put away first: a login may change the set.
    CLoginDlg(CMainFrame* frame, int mode);
    // The next paint of the picture view runs the repair a marker may ask for.
    ~CLoginDlg() override;

    // Login or password change, as 确定 does.
    void OnOK();
    // Leaving the set box after its text changed: offers to create a new set.
    void OnAccountSetKillFocus();
    // 删除: deletes the set named in the box.
    void OnDeleteAccountSet();
    // Writes Picture/ztfile from the set box's list.
    void SaveAccountSetList();

    int m_nMode;
    bool m_bSetChanged = false; // the set box changed since it got the focus

private:
    void InitLogin();
    void InitPasswordChange();
    void Login();
    void ChangePassword();
    // Whether the typed name and password are a user's; the rights string of the
    // user in *rights.
    bool CheckUser(const wxString& loginName, wxString* rights = nullptr);
    void RefusePassword(); // the message, then an empty, focused password box
    void FinishLogin(const wxString& setName, const wxString& rights);
    void OnCharHook(wxKeyEvent& event);

    wxString LoginName() const;
    wxString SetName() const;

    CMainFrame* m_pFrame;
    CUsersFile m_users;
    wxTextCtrl* m_pLoginName;
    wxTextCtrl* m_pPassword;
    wxTextCtrl* m_pNewPassword;
    wxTextCtrl* m_pRepeat;
    wxComboBox* m_pSetCombo;
};
