// CDataSet::Save: one batch, with the tables of its statement decrypted around it when
// it writes the data folder. A failed batch is cancelled, reported, and recorded in
// Picture/indexfile so that the next start rebuilds the table.
#include "data/data_folders.h"
#include "data/data_set.h"
#include "data/table_catalog.h"
#include "data/wait_cursor.h"
#include "platform/files.h"
#include "platform/log.h"
#include "platform/message_box.h"
#include "platform/paths.h"

#include <filesystem>

namespace {

void RecordFailedTable(const wxString& table) {
    // Without a Picture folder there is nowhere to record it; the message still shows.
    if (table.empty() || !platform::FolderExists(ProgramPath("Picture"))) return;
    CSettingFiles::WriteSettingFile("indexfile", g_strSetFolder + table);
}

// Whether the recordset's changes go to the data folder, whose tables rest encrypted.
// A recordset on a connection to another folder (a rebuild's new table) writes there
// and needs none of the data folder's tables decrypted.
bool WritesDataFolder(const ado::Recordset& recordset) {
    ado::ConnectionPtr connection = recordset.ActiveConnection();
    if (!connection || connection->Folder().empty()) return true;
    std::error_code error;
    const bool same =
        std::filesystem::equivalent(connection->Folder(), DataPathFile(wxString()), error);
    return same || error;
}

} // namespace

int CDataSet::Save(const ado::RecordsetPtr& recordset) {
    FillConnectionText();
    CWaitCursor wait;
    wxString source, table, cryptStatement;
    try {
        if (!recordset) throw ado::ComError(ado::E_POINTER, "Invalid pointer");
        source = wxString::FromUTF8(recordset->Source());
        source.Trim(true);
        table = GetTableName(source);
        if (WritesDataFolder(*recordset)) cryptStatement = source;
        CryptTables(cryptStatement, 1);
        recordset->UpdateBatch(ado::adAffectAll);
        CryptTables(cryptStatement, 0);
        return 1;
    } catch (const ado::ComError& error) {
        platform::AppendLog("save of " + table.utf8_string() + " failed: " + error.Description());
        RecordFailedTable(table);
        try {
            if (recordset && recordset->IsOpen()) recordset->CancelBatch(ado::adAffectAll);
        } catch (const ado::ComError&) {
            // nothing pending to drop
        }
        // Column widths may fail quietly; every other table's staff must know that
        // their changes were not saved.
        if (table != "fieldlong") {
            wxString title = CTableCatalog().GetTableTitle(table);
            wxString name = title.empty() ? table : title;
            platform::ShowMessageBox(
                (wxString::FromUTF8("“") + name + wxString::FromUTF8("”") +
                 wxString::FromUTF8(
                     "数据库可能有误，请整理！\r\n (重新起动本系统,数据库可以自动修复。)"))
                    .utf8_string());
        }
        CryptTables(cryptStatement, 0);
        return 0;
    }
}
