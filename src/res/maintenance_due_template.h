#pragma once
// Dialog 178 "保养查询": the maintenance items due on a vehicle, to put onto its card.
#include "res/dialog_template.h"

namespace res {

namespace maintenance_due {
enum : int {
    kDialogId = 178,
    kList = 1136,
    kDispatchOne = 1009, // 单选
    kAssign = 1035,      // 派工, no action
    kSimplify = 1073,    // 简捷
    kMark = 1074,        // 标记, no action
};
} // namespace maintenance_due
const DialogTemplate& MaintenanceDueTemplate();

} // namespace res
