#pragma once
// Dialog 275 "权限设置": the users page of the system-settings sheet.
#include "res/dialog_template.h"

namespace res {

namespace users_page {
enum : int {
    kHelpId = 249, // the users and rights help
    kDialogId = 275,
    kGrid = 1002,
    kLoginCombo = 1016,     // "登录名"
    kDeleteButton = 1072,   // "删除(&E)"
    kNewButton = 1073,      // "新增(&N)"
    kToggleButton = 1110,   // "全选" / "全清"
    kPasswordEdit = 10002,  // "密码"
    kRepeatEdit = 10003,    // "重输"
    kFirstRightBox = 10004, // the box of right n is 10000 + n
    kLastRightBox = 10057,
    kDiscountSpin = 10064,
    kDiscountEdit = 10070, // "授权折扣", in tenths
};
} // namespace users_page
const DialogTemplate& UsersPageTemplate();

} // namespace res
