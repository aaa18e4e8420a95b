// Backup, restore, the automatic backup and the removal of plain working copies.
// Working copies are encrypted back rather than deleted, so no change is lost, and a
// backup takes them first. A backup replaces a file in the backup folder only with a
// complete copy; a restore first copies every file of the backup beside the table it
// replaces and checks it, and only then puts the copies in place, so a failure leaves
// the current data as it was. Every failed copy is reported.
#include "data/backup_restore.h"

#include "crypt/sealkit.h"
#include "data/data_folders.h"
#include "data/folder_dialog.h"
#include "data/main_frame_data.h"
#include "data/maintenance_files.h"
#include "data/table_crypt.h"
#include "data/table_rebuild.h"
#include "data/wait_cursor.h"
#include "foxdb/dbf_table.h"
#include "foxdb/transaction.h"
#include "platform/files.h"
#include "platform/log.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/wx_text.h"

#include <cstring>
#include <filesystem>
#include <vector>

namespace {

enum { kRestore = 0, kBackup = 1, kAutoBackup = 2 };

const char* const kRestoreSuffix = ".restoring";
// The settings folder beside the program, and its copy inside a backup.
const char* const kSettingsFolder = "Picture";

void Message(const wxString& text) {
    platform::ShowMessageBox(text.utf8_string());
}

wxString NameList(const std::vector<std::string>& names) {
    wxString list;
    for (const std::string& name : names)
        list += "\n" + wxString::FromUTF8(name);
    return list;
}

std::string BaseName(const std::string& name) {
    return name.substr(0, name.find('.'));
}

bool HasExtension(const std::string& name, const char* extension) {
    return platform::WildcardMatch(std::string("*") + extension, name);
}

// The table files of a folder: every encrypted table and index, and the plain
// tables that have no encrypted file beside them (a set not yet encrypted).
std::vector<std::string> TableFiles(const std::string& folder) {
    std::vector<std::string> names = platform::ListFiles(folder, "*.dwf");
    for (const std::string& index : platform::ListFiles(folder, "*.cdx"))
        names.push_back(index);
    for (const std::string& plain : platform::ListFiles(folder, "*.dbf"))
        if (platform::FindFileNoCase(folder, BaseName(plain) + ".dwf").empty())
            names.push_back(plain);
    return names;
}

std::string Folder(const wxString& path) {
    std::string folder = platform::NativeSeparators(path.utf8_string());
    while (folder.size() > 1 && folder.back() == platform::kSep)
        folder.pop_back();
    return folder;
}

// Whether a table file of a backup is one of ours: an encrypted table decrypts to a
// readable table, a plain one reads as a table. Index files are rebuilt by the engine.
bool IsReadableTableFile(const std::string& path, const std::string& scratch) {
    try {
        if (HasExtension(path, ".dbf")) return foxdb::DbfTable::Open(path) != nullptr;
        if (!HasExtension(path, ".dwf")) return true;
        if (path.size() >= SEALKIT_MAX_PATH || scratch.size() >= SEALKIT_MAX_PATH) return false;
        char target[SEALKIT_MAX_PATH];
        std::memcpy(target, scratch.c_str(), scratch.size() + 1);
        bool readable = NvDecryptFile(path.c_str(), target, kDataFileKey) &&
                        foxdb::DbfTable::Open(target) != nullptr;
        platform::DeleteFile(target);
        return readable;
    } catch (const std::exception&) { // a foreign file may claim any size
        platform::DeleteFile(scratch);
        return false;
    }
}

// The program's own files beside the tables, the users file among them, so that a
// damaged one can be restored: every file of the settings folder but the marks of
// pending work, the users file's scratch copy and the list of account sets, which
// one set's backup does not hold.
std::vector<std::string> SettingFiles(const std::string& folder) {
    static const char* const kLeftOut[] = {"temp.adtg", "ReInDexAll", "noerro",    "FirstRun",
                                           "indexfile", "ztfile",     "currztname"};
    std::vector<std::string> names;
    for (const std::string& name : platform::ListFiles(folder, "*")) {
        bool leftOut = false;
        for (const char* other : kLeftOut)
            leftOut |= platform::WildcardMatch(other, name);
        if (!leftOut) names.push_back(name);
    }
    return names;
}

// Copies the settings files from one settings folder into another; the names that
// failed are added to `failed`.
void CopySettingFiles(const std::string& from, const std::string& to,
                      std::vector<std::string>& failed) {
    const std::vector<std::string> names = SettingFiles(from);
    if (names.empty()) return;
    if (!platform::FolderExists(to)) platform::CreateFolders(to);
    for (const std::string& name : names)
        if (!CMaintenanceFiles::Current().copy(platform::JoinPath(from, name),
                                               platform::JoinPath(to, name)))
            failed.push_back(platform::JoinPath(kSettingsFolder, name));
}

// A working copy may hold changes its encrypted file lacks, so copies go by being
// encrypted back. Returns the names of the copies that stayed plain.
std::vector<std::string> EncryptWorkingCopies() {
    std::vector<std::string> kept;
    const std::string working = DataPathFile(wxString());
    // A transaction a crash cut short is undone first: its copies must not go back
    // half changed.
    try {
        foxdb::RecoverTransaction(working);
    } catch (const foxdb::Error& error) {
        platform::AppendLog(std::string("transaction recovery failed: ") + error.what());
        return {working};
    }
    for (const std::string& name : platform::ListFiles(working, "*.dbf"))
        if (!CMaintenanceFiles::Current().encrypt(wxString::FromUTF8(BaseName(name))) ||
            platform::FileExists(platform::JoinPath(working, name)))
            kept.push_back(name);
    return kept;
}

} // namespace

wxString AutoBackupDayName(const wxDateTime& day) {
    static const char* const names[7] = {"星期日", "星期一", "星期二", "星期三",
                                         "星期四", "星期五", "星期六"};
    return U(names[day.GetWeekDay()]);
}

bool IsInsideFolder(const wxString& folder, const wxString& tableFolder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path inner = fs::weakly_canonical(Folder(folder), ec);
    fs::path outer = fs::weakly_canonical(Folder(tableFolder), ec);
    auto part = inner.begin();
    for (const fs::path& outerPart : outer) {
        if (part == inner.end() || *part != outerPart) return false;
        ++part;
    }
    return true;
}

wxString CMainFrameData::ChooseBackupFolder() {
    wxString folder =
        ShowFolderDialog(U("本系统安装目录:") + wxString::FromUTF8(platform::ProgramFolder()));
    if (folder.empty()) return folder;
    return folder.EndsWith("/") ? folder : folder + "/";
}

int CMainFrameData::DeleteWorkingCopies() {
    CMaintenanceFiles& files = CMaintenanceFiles::Current();
    // Plain tables lying beside the program go, each with its index when it has one.
    // A file that cannot go is counted, and the passes go on over all the others.
    bool removed = true;
    const std::string program = platform::ProgramFolder();
    for (const std::string& name : platform::ListFiles(program, "*.dbf")) {
        std::string index = platform::FindFileNoCase(program, BaseName(name) + ".cdx");
        if (!files.remove(platform::JoinPath(program, name))) removed = false;
        if (!index.empty() && !files.remove(index)) removed = false;
    }
    return EncryptWorkingCopies().empty() && removed ? 1 : 0;
}

int CMainFrameData::BackupRestore(int mode) {
    const wxString chosen = mode == kAutoBackup ? m_strShared : ChooseBackupFolder();
    if (chosen.empty()) return 1;
    CWaitCursor wait;
    const std::string tables = ProgramPath(g_strSetFolder);
    if (IsInsideFolder(chosen, wxString::FromUTF8(tables))) {
        Message(U("不能选择本系统数据目录! "));
        return 1;
    }
    const std::string folder = Folder(chosen);
    if (!platform::FolderExists(folder)) {
        Message(U("所选目录不存在: ") + wxString::FromUTF8(folder));
        return 1;
    }
    m_dsMain.CloseRecordset();
    CMaintenanceFiles& files = CMaintenanceFiles::Current();

    if (mode != kRestore) {
        // A copy that stayed plain is named among the failures: its changes are missing.
        std::vector<std::string> failed = EncryptWorkingCopies();
        const std::vector<std::string> names = TableFiles(tables);
        if (names.empty()) {
            Message(U("没有找到本系统的数据文件，没有备份。"));
            return 1;
        }
        for (const std::string& name : names)
            if (!files.copy(platform::JoinPath(tables, name), platform::JoinPath(folder, name)))
                failed.push_back(name);
        // The operator's backup; the automatic one takes them itself, and the copies
        // that fill a new account set or precede a tidy-up want the tables only.
        if (mode == kBackup)
            CopySettingFiles(ProgramPath(kSettingsFolder),
                             platform::JoinPath(folder, kSettingsFolder), failed);
        if (!failed.empty()) {
            platform::AppendLog("backup into " + folder + " incomplete");
            Message(U("备份没有完成，以下文件没能复制到") + wxString::FromUTF8(folder) + ":" +
                    NameList(failed));
        } else if (mode == kBackup) {
            Message(U("操作完成 "));
        }
        return 1;
    }

    // Restore: check and copy everything first; the current tables are not touched
    // until every file of the backup lies complete beside the one it replaces.
    const std::vector<std::string> names = TableFiles(folder);
    bool anyTable = false;
    for (const std::string& name : names)
        anyTable |= !HasExtension(name, ".cdx");
    if (!anyTable) {
        Message(U("所选目录中没有本系统的备份数据，现有数据没有改动。"));
        return 1;
    }
    const std::string scratch = (RebuildStagingFolder() + "restore-check.dbf").utf8_string();
    std::vector<std::string> bad;
    for (const std::string& name : names)
        if (!IsReadableTableFile(platform::JoinPath(folder, name), scratch)) bad.push_back(name);
    if (!bad.empty()) {
        Message(U("以下文件已损坏或不是本系统的数据文件，没有恢复任何数据:") + NameList(bad));
        return 1;
    }
    std::vector<std::string> failed;
    for (const std::string& name : names)
        if (!files.copy(platform::JoinPath(folder, name),
                        platform::JoinPath(tables, name + kRestoreSuffix)))
            failed.push_back(name);
    if (!failed.empty()) {
        for (const std::string& name : names)
            platform::DeleteFile(platform::JoinPath(tables, name + kRestoreSuffix));
        Message(U("恢复没有完成，以下文件没能复制，现有数据没有改动:") + NameList(failed));
        return 1;
    }

    bool rebuildLater = false;
    if (!DeleteWorkingCopies()) {
        WriteSettingFile("ReInDexAll", "noerro");
        rebuildLater = true;
    }
    bool plainRestored = false;
    for (const std::string& name : names) {
        // A file of another case would stay beside the restored one and be found first.
        std::string target = platform::FindFileNoCase(tables, name);
        if (target.empty()) target = platform::JoinPath(tables, name);
        if (files.move(platform::JoinPath(tables, name + kRestoreSuffix), target))
            plainRestored |= HasExtension(name, ".dbf");
        else
            failed.push_back(name);
    }
    if (plainRestored) EncryptAllTables();
    // A backup made before the settings were part of it has none: the current stay.
    CopySettingFiles(platform::JoinPath(folder, kSettingsFolder), ProgramPath(kSettingsFolder),
                     failed);
    if (!failed.empty()) {
        for (const std::string& name : failed)
            platform::DeleteFile(platform::JoinPath(tables, name + kRestoreSuffix));
        Message(U("以下文件没有恢复，请再做一次数据恢复:") + NameList(failed));
        return 1;
    }
    if (rebuildLater) {
        Message(U("操作完成,请退出后重新运行本系统."));
    } else {
        RebuildAllTables();
        Message(U("操作完成 "));
    }
    return 1;
}

void CMainFrameData::AutoBackup() {
    std::string folder = platform::JoinPath(platform::ProgramFolder(), "AutBak");
    platform::CreateFolders(folder);
    folder = platform::JoinPath(folder, AutoBackupDayName(wxDateTime::Now()).utf8_string());
    platform::CreateFolders(folder);
    m_strShared = wxString::FromUTF8(folder) + "/";
    BackupRestore(kAutoBackup);
    std::vector<std::string> failed;
    CopySettingFiles(ProgramPath(kSettingsFolder), platform::JoinPath(folder, kSettingsFolder),
                     failed);
    if (!failed.empty()) {
        platform::AppendLog("backup into " + folder + " incomplete");
        Message(U("备份没有完成，以下文件没能复制到") + wxString::FromUTF8(folder) + ":" +
                NameList(failed));
    }
}
