// Rebuilding a table and putting the rebuilt file in place. The old table stays the
// one in use until the new file is complete: a failed copy, save or move is reported
// and leaves it as it was, so nothing is lost and the repair can be repeated.
#include "data/table_rebuild.h"

#include "data/data_folders.h"
#include "data/data_set.h"
#include "data/main_frame_data.h"
#include "data/maintenance_files.h"
#include "data/status_text.h"
#include "data/table_catalog.h"
#include "data/wait_cursor.h"
#include "foxdb/dbf_table.h"
#include "platform/files.h"
#include "platform/log.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/private_files.h"
#include "platform/system_dir.h"

#include <algorithm>

namespace {

const char* const kBusyText = "正在处理数据...";
const char* const kDoneText = "操作完成 ";
const char* const kIdlePrompt = "如需帮助，请按F1键";

wxString TableName(const wxString& table) {
    wxString title = CTableCatalog().GetTableTitle(table);
    return title.empty() ? table : title;
}

void ReportRebuildFailure(const wxString& table, const wxString& why) {
    platform::AppendLog("rebuild of " + table.utf8_string() + " failed: " + why.utf8_string());
    platform::ShowMessageBox((wxString::FromUTF8("“") + TableName(table) +
                              wxString::FromUTF8("”重建失败，原数据保持不变。\n") + why)
                                 .utf8_string());
}

std::string StagedFile(const wxString& table, const char* extension) {
    std::string folder = RebuildStagingFolder().utf8_string();
    return platform::FindFileNoCase(folder, (table + extension).utf8_string());
}

// Removes what an earlier, unfinished rebuild of the table left in the staging folder.
void ClearStaged(const wxString& table) {
    for (const char* extension : {".dbf", ".cdx"}) {
        std::string path = StagedFile(table, extension);
        if (!path.empty()) platform::DeleteFile(path);
    }
}

wxString StagingConnectionText() {
    wxString folder = RebuildStagingFolder();
    folder.RemoveLast(); // the driver's SourceDB has no closing separator
    return wxString::FromUTF8(ado::ConnectionStringOfFolder(folder.utf8_string()));
}

// A plain table of the set folder that was never encrypted is read through a working
// copy like every other table.
void CopyPlainTableToWorkingFolder(const wxString& table) {
    if (!CSettingFiles::TableFileExists(table) || CTableCrypt::DataFileExists(table + ".dbf") ||
        CSettingFiles::FileExists(g_strSetFolder + table + ".dwf"))
        return;
    platform::CreateFolders(DataPathFile(wxString()));
    platform::CopyFileAtomic(ProgramPath(g_strSetFolder + table + ".dbf"),
                             DataPathFile(table + ".dbf"));
}

} // namespace

const std::vector<wxString>& RebuildTableCodes() {
    static const std::vector<wxString> codes = {
        "dhd",  "hyxm", "gk",   "ljkc",  "ljml", "ljth", "ljsh", "jgk",   "zyxm",
        "wlkf", "gys",  "wlzm", "wxxm",  "ygk",  "gdxm", "blp",  "byxmb", "hy",
        "jjl",  "hyzl", "jhda", "bdzxm", "tmlj", "jmb",  "LJDB", "tpk",   "fieldlong"};
    return codes;
}

wxString RebuildStagingFolder() {
    std::string folder =
        platform::JoinPath(platform::SystemDirectory(), platform::kRebuildStagingName);
    platform::CreateFolders(folder);
    return wxString::FromUTF8(folder) + "/";
}

// Streams the records of a table whose fields are still those of its definition
// into the staged table, so no recordset holds the table twice over. False when
// that cannot be done (other fields, an unreadable file, any failure): nothing is
// then staged, and the recordset copy takes over and reports what goes wrong.
bool CDataSet::StreamRecords(const wxString& table, const wxString& definition) {
    std::vector<wxString> decrypted;
    CryptTables("select * from " + table, 1, &decrypted);
    const std::string working = DataPathFile(table + ".dbf");
    bool staged = false;
    if (platform::FileExists(working)) {
        try {
            auto staging = std::make_shared<ado::Connection>();
            staging->Open(StagingConnectionText().utf8_string());
            staging->Execute(definition.utf8_string(), nullptr,
                             ado::adCmdText | ado::adExecuteNoRecords);
            staging->Close();
            SetMainStatusText(wxString::FromUTF8(kBusyText));
            // A copy decrypted for the rebuild alone is scratch: it becomes the staged table.
            if (std::find(decrypted.begin(), decrypted.end(), table) != decrypted.end())
                foxdb::CompactLiveRecords(working, StagedFile(table, ".dbf"), "no");
            else
                foxdb::CopyLiveRecords(working, StagedFile(table, ".dbf"), "no");
            staged = true;
        } catch (const foxdb::Error& error) {
            platform::AppendLog("streamed rebuild of " + table.utf8_string() +
                                " not done: " + error.what());
        } catch (const ado::ComError& error) {
            platform::AppendLog("streamed rebuild of " + table.utf8_string() +
                                " not done: " + error.Description());
        }
    }
    DropWorkingCopies(decrypted);
    SetMainStatusText(wxString());
    if (!staged) ClearStaged(table);
    return staged;
}

bool CDataSet::RebuildTable(const wxString& table) {
    FillConnectionText();
    CWaitCursor wait;
    CloseRecordset();
    if (g_pFrameData) {
        g_pFrameData->CloseConnection();
        g_pFrameData->OpenConnection();
    }
    const wxString definition = CTableCatalog().GetCreateSql(table);
    // Plain tables another rebuild left (cut short, or waiting for a failed move) go.
    platform::EmptyFolder(RebuildStagingFolder().utf8_string());

    const bool exists = CSettingFiles::TableFileExists(table) ||
                        CSettingFiles::FileExists(g_strSetFolder + table + ".dwf") ||
                        DataFileExists(table + ".dbf");
    if (exists) {
        CopyPlainTableToWorkingFolder(table);
        if (StreamRecords(table, definition)) return true;
    }
    long oldRows = 0;
    if (exists) {
        Open("select * from " + table);
        if (!m_bOpen) {
            ReportRebuildFailure(table, wxString::FromUTF8("原数据表不能读取。"));
            return false;
        }
        oldRows = m_pRecordset->RecordCount();
    }
    if (definition.empty()) return false;

    CDataSet fresh;
    bool staged = false;
    try {
        if (!fresh.OpenShowError(StagingConnectionText(), wxString())) return false;
        fresh.m_pConnection->Execute(definition.utf8_string(), nullptr,
                                     ado::adCmdText | ado::adExecuteNoRecords);
        if (!exists) {
            staged = true; // a missing table is created empty
        } else if (fresh.OpenShowError(StagingConnectionText(), "select * from " + table)) {
            m_strCurTable = table;
            CopyRecords(m_pRecordset, fresh.m_pRecordset, 0, false);
            SetMainStatusText(wxString::FromUTF8(kBusyText));
            NumberRows(fresh.m_pRecordset, "0");
            // A failed save has been reported and recorded for the next start.
            staged = fresh.Save(fresh.m_pRecordset) == 1;
            fresh.Close();
            SetMainStatusText(wxString());
            if (staged) {
                std::string path = StagedFile(table, ".dbf");
                long newRows = path.empty() ? -1 : foxdb::ReadRecordCount(path);
                if (newRows != oldRows) {
                    staged = false;
                    ReportRebuildFailure(
                        table, wxString::Format(wxString::FromUTF8("只复制了 %ld 行，共 %ld 行。"),
                                                newRows, oldRows));
                }
            }
        }
    } catch (const ado::ComError& error) {
        staged = false;
        ReportRebuildFailure(table, wxString::FromUTF8(error.Description()));
    } catch (const foxdb::Error& error) {
        staged = false;
        ReportRebuildFailure(table, wxString::FromUTF8(error.what()));
    }
    fresh.Close();
    SetMainStatusText(wxString());
    if (!staged) ClearStaged(table);
    return staged;
}

bool CMainFrameData::RebuildTableFile(const wxString& table) {
    m_dsMain.CloseRecordset();
    CloseConnection();
    CMaintenanceFiles& files = CMaintenanceFiles::Current();
    const std::string staged = StagedFile(table, ".dbf");
    if (staged.empty()) return false; // nothing rebuilt: the old table stays in use
    const std::string working = DataPathFile(table + ".dbf");
    platform::CreateFolders(DataPathFile(wxString()));
    // The rename replaces the old working copy in one step; when it fails the old
    // table stays in use and the next rebuild starts afresh.
    if (!files.move(staged, working)) {
        ReportRebuildFailure(table, wxString::FromUTF8("新数据表不能放入工作目录。"));
        return false;
    }
    const std::string stagedIndex = StagedFile(table, ".cdx");
    if (!stagedIndex.empty()) {
        const std::string index = DataPathFile(table + ".cdx");
        // A stale index is rebuilt by the next change; a missing one as well.
        if (!files.copy(stagedIndex, index)) files.remove(index);
        files.remove(stagedIndex);
    }
    // An encryption that fails keeps the working copy, which stays the table in use.
    files.encrypt(table);
    return true;
}

bool CMainFrameData::RebuildMarkedTable(const wxString& table) {
    // A code the catalogue does not know names nothing that could be rebuilt.
    if (CTableCatalog().GetCreateSql(table).empty()) return true;
    return m_dsMain.RebuildTable(table) && RebuildTableFile(table);
}

bool RebuildAllTables() {
    if (!g_pFrameData) return false;
    SetMainStatusText(wxString::FromUTF8(kBusyText));
    bool all = true;
    for (const wxString& table : RebuildTableCodes()) {
        bool rebuilt =
            g_pFrameData->m_dsMain.RebuildTable(table) && g_pFrameData->RebuildTableFile(table);
        all = all && rebuilt;
    }
    SetMainStatusText(wxString::FromUTF8(kDoneText) + wxString::FromUTF8(kIdlePrompt));
    return all;
}
