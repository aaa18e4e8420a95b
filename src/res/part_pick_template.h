#pragma once
// Dialog 174 "选择零件": the stock rows (and labour items) a typed name or code found.
#include "res/dialog_template.h"

namespace res {

namespace part_pick {
enum : int {
    kDialogId = 174,
    kList = 1106,
};
} // namespace part_pick
const DialogTemplate& PartPickTemplate();

} // namespace res
