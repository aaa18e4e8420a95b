#pragma once
// The users of the system (login name, password, denied rights) in one saved
// recordset, Picture/printinfo.adtg, every byte inverted. Reading decodes it into
// the plain working copy Picture/temp.adtg, opens that and deletes it; writing goes
// the other way. The copy never outlives one check or one save.
#include "ado/ado.h"

#include <string>
#include <wx/string.h>

class CUsersFile {
public:
    static constexpr const char* kStoredFile = "Picture/printinfo.adtg";
    static constexpr const char* kWorkingCopy = "Picture/temp.adtg";
    // The message of a users file that cannot be read or written.
    // "系统文件已损坏!", with where a good copy of the users file is found.
    static std::string DamagedText();

    // Copies from into to, every byte as its complement (both directions use it).
    // False when either file cannot be opened or written.
    static bool InvertCopy(const std::string& from, const std::string& to);

    // Writes a new users file holding one administrator with every right ("0"). For
    // the first run; false when the file could not be written.
    static bool CreateWithAdministrator(const wxString& loginName, const wxString& password);

    // Reads the users file afresh. False after "系统文件已损坏!" (missing, unreadable,
    // damaged); then no users are known.
    bool Load();

    // Whether the user is known and the password right: the stored password (trailing
    // blanks removed) is not empty and equal to the typed one, and the user's rights
    // item is not empty. Then *rights is the login name as stored, "," and that item,
    // and the user's record stays current for a password change. Reads the file first.
    // A name with a quote is never known.
    bool CheckUser(const wxString& loginName, const wxString& password, wxString* rights);

    // Sets the password of the user of the last good check and writes the file back.
    // False (after "系统文件已损坏!") when it could not be written; the file then stays
    // as it was.
    bool ChangePassword(const wxString& newPassword);

    // Writes the recordset back: saved into the working copy, inverted into the
    // stored file, which is replaced only once the new one is complete.
    bool Save();

    // The users recordset of the last read, or null.
    const ado::RecordsetPtr& Recordset() const { return m_pRecordset; }

private:
    ado::RecordsetPtr m_pRecordset;
    bool m_bUserFound = false;
};
