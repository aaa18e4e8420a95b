#pragma once
// Dialog 288 "数据整理": a table (or all), a date range, rebuild, delete and repair.
#include "res/dialog_template.h"

namespace res {

namespace data_tidy {
enum : int {
    kDialogId = 288,
    kTableCombo = 1016,
    kAllCheck = 1148,
    kFromDateEdit = 10001,
    kToDateEdit = 10002,
    kDeleteButton = 1009,
    kRepairButton = 1035,
};
} // namespace data_tidy
const DialogTemplate& DataTidyTemplate();

} // namespace res
