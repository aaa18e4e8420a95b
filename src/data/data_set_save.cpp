// CDataSet::Save: one batch, with the tables of its statement decrypted around it.
// A failed batch is cancelled, reported, and recorded in Picture/indexfile so that
// the next start rebuilds the table.
#include "data/data_folders.h"
#include "data/data_set.h"
#include "data/table_catalog.h"
#include "data/wait_cursor.h"
#include "platform/files.h"
#include "platform/log.h"
#include "platform/message_box.h"
#include "platform/paths.h"

namespace {

void RecordFailedTable(const wxString& table) {
    // Without a Picture folder there is nowhere to record it; the message still shows.
    if (table.empty() || !platform::FolderExists(ProgramPath("Picture"))) return;
    CSettingFiles::WriteSettingFile("indexfile", g_strSetFolder + table);
}

} // namespace

int CDataSet::Save(const ado::RecordsetPtr& recordset) {
    FillConnectionText();
    CWaitCursor wait;
    wxString source, table;
    try {
        if (!recordset) throw ado::ComError(ado::E_POINTER, "Invalid pointer");
        source = wxString::FromUTF8(recordset->Source());
        source.Trim(true);
        table = GetTableName(source);
        CryptTables(source, 1);
        recordset->UpdateBatch(ado::adAffectAll);
        CryptTables(source, 0);
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
        CryptTables(source, 0);
        return 0;
    }
}
