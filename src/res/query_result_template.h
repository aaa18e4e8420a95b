#pragma once
// Dialog 230 "查询结果": one alert list with its marking and order buttons.
#include "res/dialog_template.h"

namespace res {

namespace query_result {
enum : int {
    kDialogId = 230,
    kGrid = 1002,
    kPrintButton = 1009,   // "打印(&P)"
    kOrderButton = 1075,   // "定货(&D)"
    kBriefButton = 1035,   // "简捷(&J)" / "详细(&J)"
    kMarkButton = 1074,    // "标记(&B)"
    kMarkAllButton = 1072, // "全部(&T)"
    kPendingButton = 1073, // "待处理"
};
} // namespace query_result
const DialogTemplate& QueryResultTemplate();

// Dialog 282 "提示项目": the reminder panel, an outlook bar over its whole client area.
namespace reminder {
enum : int { kDialogId = 282, kBar = 1002 };
} // namespace reminder
const DialogTemplate& ReminderTemplate();

} // namespace res
