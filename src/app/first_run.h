#pragma once
// A new program folder: "Picture", "Report" and "Data" with every catalogue table
// created empty, the markers "Picture/FirstRun" (the first login encrypts the
// tables) and "Picture/noerro", the settings files the start needs, and the users
// file with one administrator holding every right. There is no default password:
// the operator names the administrator (the first-run dialog), tests and benchmarks
// pass the credentials here.
#include <wx/string.h>

class CProgramFolderSetup {
public:
    // Whether the current program folder is new: no users file and no table in Data.
    // A folder with tables but without users file is damaged, not new.
    static bool IsNewFolder();

    // Why the administrator's name and password cannot be used, or empty when they
    // can: a name of 1 to 20 bytes without quote, comma or blank at either end; a
    // password of 1 to 10 bytes typed twice alike.
    static wxString CheckCredentials(const wxString& loginName, const wxString& password,
                                     const wxString& repeated);

    // Makes the folder's contents in the current program folder. False with the
    // reason in *error when something could not be written; a users file is written
    // last, so a failed set-up is taken for a new folder again at the next start.
    static bool Create(const wxString& loginName, const wxString& password,
                       wxString* error = nullptr);
};
