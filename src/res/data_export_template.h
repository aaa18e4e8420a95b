#pragma once
// Dialog 310 "数据导出": a table, a date range and whether to delete what was exported.
#include "res/dialog_template.h"

namespace res {

namespace data_export {
enum : int {
    kDialogId = 310,
    kTableCombo = 1016,
    kFromDateEdit = 10001,
    kToDateEdit = 10002,
    kDeleteCheck = 1148,
};
} // namespace data_export
const DialogTemplate& DataExportTemplate();

} // namespace res
