#pragma once
// Dialog 296 "跟踪服务": the vehicles that had named repair items done in a period.
#include "res/dialog_template.h"

namespace res {

namespace follow_up {
enum : int {
    kDialogId = 296,
    kFromEdit = 10001,
    kToEdit = 10002,
    kItemsEdit = 10003,
    kLowPriceEdit = 10004,
    kHighPriceEdit = 10005,
    kShowButton = 1035,
    kGrid = 1002,
    kDeleteButton = 1009,
    // IDOK prints, IDCANCEL closes.
};
} // namespace follow_up
const DialogTemplate& FollowUpTemplate();

} // namespace res
