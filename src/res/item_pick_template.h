#pragma once
// Dialog 152 "项目选择": the item pick list.
#include "res/dialog_template.h"

namespace res {

namespace item_pick {
enum : int {
    kDialogId = 152,
    kList = 1106,
};
} // namespace item_pick
const DialogTemplate& ItemPickTemplate();

} // namespace res
