#pragma once
// Dialog 251 "系统登录": login, password change and the choice of the account set.
#include "res/dialog_template.h"

namespace res {

namespace login {
enum : int {
    kDialogId = 251,
    kLoginNameEdit = 10001,
    kPasswordLabel = 1012,
    kPasswordEdit = 10002,
    kSetLabel = 1013,
    kSetCombo = 1016,
    kDeleteSetButton = 1009, // "删除"
    kNewPasswordLabel = 1120,
    kNewPasswordEdit = 10003,
    kRepeatLabel = 1021,
    kRepeatEdit = 10004,
};
} // namespace login
const DialogTemplate& LoginTemplate();

} // namespace res
