#pragma once
// The file operations of backup, restore and table moves, in one place so that a
// test can make a single copy, move, removal or encryption fail and show that
// nothing is lost. Copies never leave a half-written target.
#include <functional>
#include <string>
#include <wx/string.h>

struct CMaintenanceFiles {
    std::function<bool(const std::string& from, const std::string& to)> copy;
    std::function<bool(const std::string& from, const std::string& to)> move;
    std::function<bool(const std::string& path)> remove;
    // Encrypts the table's working copy into the set folder and removes the copy.
    std::function<bool(const wxString& table)> encrypt;

    // The operations in use; tests assign to them and put Platform() back.
    static CMaintenanceFiles& Current();
    static CMaintenanceFiles Platform();
};
