#pragma once
// Dialog 236 "会员清单": the membership cards in a grid.
#include "res/dialog_template.h"

namespace res {

namespace member_list {
enum : int {
    kDialogId = 236,
    kGrid = 1002,
    kTypeCombo = 1016,  // 卡类别
    kPlateEdit = 10001, // 车牌号码
    kMonthEdit = 10002, // 到期月份
    kMonthSpin = 10069,
    kExpiredButton = 1009, // 过期会员(&G)
    kPrintButton = 1035,   // 打印(&P)
    kClearButton = 1010,   // 清除过期(&D)
};
} // namespace member_list
const DialogTemplate& MemberListTemplate();

} // namespace res
