#include "app/account_sets.h"

#include "data/data_folders.h"
#include "data/main_frame_data.h"
#include "data/setting_files.h"
#include "platform/files.h"
#include "platform/gbk.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/wx_text.h"

#include <unistd.h>

namespace {

wxString CutName(const wxString& name) {
    return wxString::FromUTF8(
        platform::CutToGbkBytes(name.utf8_string(), CAccountSets::kMaxNameBytes));
}

std::string Folder(const wxString& relativeOrAbsolute) {
    std::string path = ProgramPath(relativeOrAbsolute);
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// Deletes the regular files of a folder and the folder; true when it is gone.
bool RemoveFolder(const std::string& folder) {
    if (!platform::FolderExists(folder)) return true;
    for (const std::string& name : platform::ListFiles(folder, "*")) {
        std::string path = platform::JoinPath(folder, name);
        platform::SetReadOnly(path, false);
        platform::DeleteFile(path);
    }
    return ::rmdir(folder.c_str()) == 0;
}

} // namespace

wxString CAccountSets::DefaultSetName() {
    return U("默认帐套");
}

bool CAccountSets::IsDefaultSet(const wxString& set) {
    return set == DefaultSetName();
}

std::vector<wxString> CAccountSets::ParseSetList(const wxString& line) {
    std::vector<wxString> sets;
    wxString rest = line;
    for (int comma = rest.Find(','); comma != wxNOT_FOUND; comma = rest.Find(',')) {
        wxString name = CutName(rest.Left(comma));
        rest = rest.Mid(comma + 1);
        if (!name.empty() && !IsDefaultSet(name)) sets.push_back(name);
    }
    wxString last = CutName(rest);
    if (platform::GbkLength(last.utf8_string()) > 2 && !IsDefaultSet(last)) sets.push_back(last);
    return sets;
}

std::vector<wxString> CAccountSets::ReadSetList() {
    if (!CSettingFiles::FileExists("Picture/ztfile")) return {};
    // A damaged list offers no name that could not be a set's folder.
    std::vector<wxString> sets;
    for (const wxString& set : ParseSetList(CSettingFiles::ReadSettingFile("ztfile")))
        if (IsSafeSetName(set)) sets.push_back(set);
    return sets;
}

bool CAccountSets::SaveSetList(const std::vector<wxString>& sets) {
    wxString line;
    for (const wxString& set : sets)
        if (!set.empty() && !IsDefaultSet(set)) line += set + ",";
    if (line.empty()) {
        CSettingFiles::DeleteSettingFile("ztfile");
        return true;
    }
    return CSettingFiles::WriteSettingFile("ztfile", line) == 1;
}

wxString CAccountSets::InitialSetName(wxString* missing) {
    wxString name = CSettingFiles::ReadSettingFile("currztname");
    while (name.EndsWith("\\") || name.EndsWith("/"))
        name.RemoveLast();
    if (name.empty() || name == "Data" || IsDefaultSet(name)) return DefaultSetName();
    if (!IsSafeSetName(name) || !SetFolderExists(name)) {
        if (missing) *missing = name;
        return DefaultSetName();
    }
    return name;
}

bool CAccountSets::WriteCurrentSetName(const wxString& set) {
    if (CSettingFiles::WriteSettingFile("currztname", set) == 1) return true;
    platform::ShowMessageBox("file write error!");
    return false;
}

bool CAccountSets::IsSafeSetName(const wxString& set) {
    if (set.empty() || set != set.Strip(wxString::both)) return false;
    if (platform::GbkLength(set.utf8_string()) > kMaxNameBytes) return false;
    if (set == "." || set == ".." || set.Contains(DefaultSetName())) return false;
    for (wxUniChar c : set)
        if (c < 0x20 || wxString("/\\,*?\"'<>|:#").Find(c) != wxNOT_FOUND) return false;
    for (const char* own : {"Data", "Picture", "Report", "AutBak"})
        if (set.IsSameAs(own, false)) return false;
    return true;
}

bool CAccountSets::SetFolderExists(const wxString& set) {
    return IsDefaultSet(set) || (IsSafeSetName(set) && platform::FolderExists(Folder(set)));
}

wxString CAccountSets::SetFolder(const wxString& set) {
    return IsDefaultSet(set) ? wxString("Data/") : set + "/";
}

wxString CAccountSets::WorkingFolder(const wxString& set) {
    return WorkingFolderRoot() + SetFolder(set);
}

bool CAccountSets::MayUseSet(const wxString& set, const wxString& loginName) {
    if (IsDefaultSet(set) || !CSettingFiles::FileExists("Picture/" + set + "zt")) return true;
    wxString owner = CSettingFiles::ReadSettingFile(set + "zt");
    int end = owner.Find("#,");
    return end != wxNOT_FOUND && owner.Left(end) == loginName;
}

bool CAccountSets::CreateSet(const wxString& set, const wxString& owner, CMainFrameData& frame) {
    if (!IsSafeSetName(set)) {
        platform::ShowMessageBox(
            U("帐套名不能用作目录名，请换一个名称(不超过10个字节，不含 / \\ , * ? 等符号)。")
                .utf8_string());
        return false;
    }
    const std::string folder = Folder(set);
    if (!platform::FolderExists(folder)) {
        if (!platform::CreateFolders(folder)) {
            platform::ShowMessageBox(("无法建立帐套目录 " + folder).c_str(), "",
                                     platform::MB_ICONERROR);
            return false;
        }
        // The copy takes the default set's tables with the changes their working
        // copies hold; the current set's folders are put back afterwards.
        const wxString keptSetFolder = g_strSetFolder, keptDataPath = g_strDataPath;
        SetAccountSet(DefaultSetName());
        frame.m_strShared = wxString::FromUTF8(folder) + "/";
        frame.BackupRestore(2);
        frame.m_strShared.clear();
        g_strSetFolder = keptSetFolder;
        g_strDataPath = keptDataPath;

        const std::string tables = Folder("Data/");
        bool complete = true;
        for (const char* pattern : {"*.dwf", "*.dbf", "*.cdx"})
            for (const std::string& name : platform::ListFiles(tables, pattern))
                complete &= platform::FileExists(platform::JoinPath(folder, name));
        if (!complete) {
            RemoveFolder(folder);
            return false;
        }
    }

    const std::string working = Folder(WorkingFolder(set));
    const std::string defaultWorking = Folder(WorkingFolder(DefaultSetName()));
    platform::CreateFolders(working);
    for (const std::string& name : platform::ListFiles(defaultWorking, "*.cdx")) {
        std::string target = platform::JoinPath(working, name);
        if (platform::FileExists(target)) platform::SetReadOnly(target, false);
        platform::CopyFileAtomic(platform::JoinPath(defaultWorking, name), target);
    }
    CSettingFiles::WriteSettingFile(set + "zt", owner + "#,");
    return true;
}

bool CAccountSets::DeleteSet(const wxString& set) {
    if (IsDefaultSet(set) || !IsSafeSetName(set)) return false;
    bool removed = RemoveFolder(Folder(set));
    if (removed) platform::ShowMessageBox("操作完成 ");
    RemoveFolder(Folder(WorkingFolder(set)));
    return removed;
}
