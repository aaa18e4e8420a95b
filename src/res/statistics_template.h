#pragma once
// Dialog 238 "统计": the statistics over a date range, as a summary or a detail list.
#include "res/dialog_template.h"

namespace res {

namespace statistics {
enum : int {
    kDialogId = 238,
    kGrid = 1002,
    kObjectCombo = 1016,
    kObjectLabel = 1120,
    kObjectGroup = 1131,
    kFromDateEdit = 10001,
    kToDateEdit = 10002,
    kSummaryRadio = 1108, // "汇总表"
    kDetailRadio = 1107,  // "详细清单"
    kStartButton = 1035,  // "开始统计"
    kAddButton = 1009,    // "新增(&N)"
    kDeleteButton = 1072, // "删除(&E)"
    kPrintButton = 1073,  // "打印(&P)"
    kExitButton = 1078,   // "退出(&X)"
    kTotalText = 1012,
    kArchiveButton = 1074, // "营业档案修改"
};
} // namespace statistics
const DialogTemplate& StatisticsTemplate();

} // namespace res
