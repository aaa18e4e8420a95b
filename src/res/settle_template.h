#pragma once
// Dialog 158 "结算": what the customer owes, pays and gets back.
#include "res/control_ids.h"
#include "res/dialog_template.h"

namespace res {

namespace settle {
enum : int {
    kDialogId = 158,
    kReceivableEdit = 10001, // 应收
    kReceivedEdit = 10002,   // 收款
    kChangeEdit = 10003,     // 应找
    kConfirmButton = 1035,   // "确定(&Y)"
    kCancelButton = 1009,    // "取消(&U)"
};
} // namespace settle
const DialogTemplate& SettleTemplate();

} // namespace res
