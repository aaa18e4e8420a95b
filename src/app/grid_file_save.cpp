#include "app/grid_file_save.h"

#include "app/command_table.h"
#include "app/main_frame.h"
#include "data/data_set.h"
#include "data/db_link.h"
#include "data/table_file_export.h"
#include "grid/grid_ctrl.h"
#include "platform/message_box.h"

#include <wx/filename.h>

void CGridFileSave::Register() {
    CMainFrame::RegisterForm(FormKind::SaveGridAs, [](CMainFrame&, int, const wxString& path) {
        if (CGridCtrl* grid = CGridCtrl::GetCurrentGrid()) Save(*grid, path);
    });
}

void CGridFileSave::Save(CGridCtrl& grid, const wxString& path) {
    ado::RecordsetPtr recordset = grid.GetGridRecordset();
    if (!recordset || !recordset->IsOpen()) return;
    const wxString ext = wxFileName(path).GetExt().Lower();
    try {
        if (ext == "xlsx") {
            // The first row of a work card's item list is not an item.
            const bool skipFirst = grid.GetTableName() == "zyxm";
            std::vector<wxString> header;
            if (recordset->Fields().Count() > grid.GetColumnCount() + 1 &&
                platform::ShowMessageBox("是否保存表的内部隐藏信息？", "", platform::MB_YESNO) ==
                    platform::IDYES)
                CDataSet::GetFieldNames(&grid, header);
            else
                CDataSet::GetGridTitles(&grid, header);
            CDbLink link;
            link.ExportToSpreadsheet(recordset, path, header, skipFirst);
        } else if (ext == "dwf") {
            ExportToEncryptedFile(recordset, path);
        } else if (ext == "dbf") {
            ExportToTableFile(recordset, path);
        }
    } catch (const ado::ComError& error) {
        CDataSet::ShowComError(error);
    }
}
