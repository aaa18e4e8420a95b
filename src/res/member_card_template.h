#pragma once
// Dialog 235 "会员资料": one membership card of `hyzl` at a time.
#include "res/dialog_template.h"

namespace res {

namespace member_card {
enum : int {
    kDialogId = 235,
    kTypeCombo = 1016,     // 卡类别
    kPlateCombo = 1017,    // 车牌号码
    kSalesmanCombo = 1111, // 推销员
    kIssuedEdit = 10001,   // 办卡日期
    kValidEdit = 10002,    // 有效期
    kCardNoEdit = 10003,   // 卡号
    kAmountEdit = 10004,   // 金额
    kPasswordEdit = 10005, // 服务密码
    kValidLabel = 1120,
    kNewButton = 1009,
    kModifyButton = 1035,
    kDeleteButton = 1072,
    kPrintButton = 1073,
    kBrowseButton = 1074,
    kSaveButton = 1076,
    kCancelButton = 1077,
    kExitButton = 1078,
};
} // namespace member_card
const DialogTemplate& MemberCardTemplate();

} // namespace res
