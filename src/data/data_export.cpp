// Exporting a table. The rows leave the table only when the file they were exported
// to can be read back with all of them in it.
#include "data/data_export.h"

#include "data/data_set.h"
#include "data/data_tidy.h"
#include "data/db_link.h"
#include "data/main_frame_data.h"
#include "platform/files.h"
#include "platform/message_box.h"

wxString CDataExport::Condition(const wxString& code, const wxString& fromDate,
                                const wxString& toDate) {
    if (CDataTidy::IsDatedTable(code) &&
        ((!fromDate.empty() && !CDataTidy::IsRangeDate(fromDate)) ||
         (!toDate.empty() && !CDataTidy::IsRangeDate(toDate)))) {
        platform::ShowMessageBox("日期不对，请重新输入！");
        return wxString();
    }
    const wxString condition = CDataTidy::DeleteCondition(code, fromDate, toDate);
    // A dated table without any date is exported whole.
    return condition.empty() ? wxString("no>-1") : condition;
}

wxString CDataExport::LoadStatement(const wxString& code, const wxString& condition) {
    if (condition == "no>-1") return "select * from " + code;
    return "select * from " + code + " where " + condition;
}

bool CDataExport::IsComplete(const wxString& path, long rows) {
    if (path.empty() || !platform::FileExists(path.utf8_string())) return false;
    CDbLink link;
    if (!link.OpenFile(path) || !link.recordset || !link.recordset->IsOpen()) return false;
    return link.recordset->RecordCount() == rows;
}

bool CDataExport::Finish(const wxString& code, const wxString& condition, const wxString& savedPath,
                         long rows, bool deleteRows) {
    if (savedPath.empty()) {
        // Nothing was written (the save was cancelled, or an existing file kept): no
        // done message. An empty result has been reported already.
        if (rows > 0) platform::ShowMessageBox("文件没有保存，数据没有导出。");
        return false;
    }
    bool deleted = false;
    // Without exported rows there is nothing to delete.
    if (deleteRows && rows > 0) {
        if (!IsComplete(savedPath, rows)) {
            platform::ShowMessageBox("数据没有完整导出，数据没有删除。");
        } else if (platform::ShowMessageBox(
                       "数据被导出后,导出的数据将从本系统中删除,是否继续?", std::string(),
                       platform::MB_YESNO | platform::MB_ICONQUESTION) == platform::IDYES) {
            try {
                m_frame.m_dsMain.DeleteWhere(code, condition);
                deleted = true;
            } catch (const ado::ComError& error) {
                CDataSet::ShowComError(error);
            }
        }
    }
    platform::ShowMessageBox("操作完成 ");
    return deleted;
}
