#pragma once
// The first-run dialog "建立管理员": login name and password of the administrator
// of a new program folder.
#include "res/dialog_template.h"

namespace res {

namespace first_run {
enum : int {
    kDialogId = 252,
    kLoginNameEdit = 10001,
    kPasswordEdit = 10002,
    kRepeatEdit = 10003,
};
} // namespace first_run
const DialogTemplate& FirstRunTemplate();

} // namespace res
