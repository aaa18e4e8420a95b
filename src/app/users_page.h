#pragma once
// The page "权限设置" of the system-settings sheet: the administrator picks a user
// (or types a new name), sets the password twice, ticks the rights the user has and
// the discount limit the user may grant. OK and Apply write the users file; Apply
// also gives the logged-in user's changed rights to the main window and its menu.
#include "app/user_accounts.h"
#include "data/data_set.h"

#include <wx/panel.h>

class wxComboBox;

class qxmm : public wxPanel {
public:
    explicit qxmm(wxWindow* sheet);

    // Saves the user being edited. False (after a message) keeps the sheet open.
    bool OnApply();
    bool OnOK() { return OnApply(); }
    bool IsModified() const { return m_bModified; }

private:
    void OnInitDialog();
    void FillUserCombo();
    void SetAllRights(bool tick);
    void EnableRights(bool enable);
    bool SaveUser();
    // The rights of the boxes and the discount edit; false (reported) for a bad number.
    bool ReadRights(CUserRights* rights);

    void OnUserSelected(wxCommandEvent& event);
    void OnNewUser(wxCommandEvent& event);
    void OnDeleteUser(wxCommandEvent& event);
    void OnToggleAll(wxCommandEvent& event);
    void OnEdited(wxCommandEvent& event);

    wxComboBox* LoginCombo() const;
    void SetText(int id, const wxString& text);
    wxString Text(int id) const;

    CUserAccounts m_users;
    CDataSet m_dsUsers;        // shows the users in the grid
    wxString m_strLogin;       // the user being edited
    bool m_bFileDirty = false; // a deletion waits to be written
    bool m_bModified = false;
};
