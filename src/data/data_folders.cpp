#include "data/data_folders.h"

#include "foxdb/index_trust.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/system_dir.h"

wxString g_strSetFolder = "Data/";
wxString g_strDataPath;

wxString WorkingFolderRoot() {
    return wxString::FromUTF8(platform::JoinPath(platform::SystemDirectory(), "Data")) + "/";
}

void SetAccountSet(const wxString& setName) {
    if (setName.empty() || setName.Contains(wxString::FromUTF8("默认帐套")))
        g_strSetFolder = "Data/";
    else
        g_strSetFolder = setName + "/";
    g_strDataPath = WorkingFolderRoot() + g_strSetFolder;
    // Indexes checked or written by earlier runs are not checked again at the first save.
    foxdb::RememberIndexPairsOfTheSystemFolder();
}

std::string ProgramPath(const wxString& relative) {
    std::string path = platform::NativeSeparators(relative.utf8_string());
    if (path.empty() || path.front() != platform::kSep)
        path = platform::JoinPath(platform::ProgramFolder(), path);
    return platform::ResolvePathNoCase(path);
}

std::string DataPathFile(const wxString& name) {
    if (g_strDataPath.empty()) SetAccountSet(wxString());
    return platform::ResolvePathNoCase(
        platform::NativeSeparators((g_strDataPath + name).utf8_string()));
}
