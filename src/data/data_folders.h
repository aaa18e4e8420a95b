#pragma once
// Where the data of the current account set lives. The set folder holds the
// encrypted tables (<t>.dwf) relative to the program folder; the data path is the
// private folder of their plain working copies (<t>.dbf) under the system directory.
#include <string>
#include <wx/string.h>

// "Data/" for the default account set, else the set's name and "/".
extern wxString g_strSetFolder;
// System directory + "/Data/" + g_strSetFolder; absolute, ends in "/".
extern wxString g_strDataPath;

// The folder that holds every account set's working copies.
wxString WorkingFolderRoot();
// Points both globals at an account set; "默认帐套" and an empty name mean the default.
void SetAccountSet(const wxString& setName);

// A path relative to the program folder as a native absolute path. "\" separators
// are accepted; existing components are found ignoring ASCII case.
std::string ProgramPath(const wxString& relative);
// The same for a file name in the data path.
std::string DataPathFile(const wxString& name);
