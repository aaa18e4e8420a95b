#pragma once
// The users as the users page edits them: read from and written back through the
// users file, each change checked first. Whoever manages the users cannot lock
// everyone out: a change that would leave no user able to log in and manage the
// users (right "权限设置") is refused, and so is deleting one's own login.
#include "app/user_rights.h"
#include "app/users_file.h"

#include <vector>
#include <wx/string.h>

class CUserAccounts {
public:
    // The longest login name and password, in characters.
    static constexpr size_t kMaxLength = 10;

    enum class Result {
        Done,
        EmptyName,         // "登录名不能为空,请输入!"
        TooLong,           // "输入字符太长,请重新输入!"
        BadPassword,       // "密码或用户名有误,请重新输入!"
        BadName,           // a comma or quote would break the rights text or the search
        LastAdministrator, // no one left to manage the users
        OwnLogin,          // the user logged in now
        NoSuchUser,
        WriteFailed, // "系统文件已损坏!"
    };
    // The message of a refusal (empty for Done).
    static wxString Message(Result result);

    // Reads the users file; false after "系统文件已损坏!".
    bool Load();
    // Writes every change back; the old file stays until the new one is complete.
    bool Save();

    // The login names (trailing blanks removed) in file order.
    std::vector<wxString> LoginNames() const;
    // The stored password and rights of a user; false when there is none by that name.
    bool FindUser(const wxString& name, wxString* password, CUserRights* rights) const;
    // The stored rights item of a user, trailing blanks removed; empty when unknown.
    wxString RightsText(const wxString& name) const;

    // Adds the user or changes the one of that name (not yet written). Name and
    // password lose trailing blanks first.
    Result PutUser(wxString name, wxString password, wxString repeat, const CUserRights& rights);
    // Whether the user may be removed: known, not currentLogin, not the last manager.
    Result CanDelete(const wxString& name, const wxString& currentLogin) const;
    // Removes the user when CanDelete allows it (not yet written).
    Result DeleteUser(const wxString& name, const wxString& currentLogin);

    const ado::RecordsetPtr& Recordset() const { return m_file.Recordset(); }

private:
    // Moves to the record of the name; false (at the end) when there is none.
    bool Locate(const wxString& name) const;
    // Whether a user other than `except` can log in and manage the users.
    bool OtherManagerExists(const wxString& except) const;

    CUsersFile m_file;
};
