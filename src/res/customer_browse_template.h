#pragma once
// Dialog 184 "顾客资料浏览": a whole customer or supplier table in a grid.
#include "res/dialog_template.h"

namespace res {

namespace customer_browse {
enum : int {
    kDialogId = 184,
    kGrid = 1002,
    kFuzzyButton = 1009,        // 模糊查找(&L)
    kBlankColumnsButton = 1035, // 删除空白列(&E)
    kColumnButton = 1072,       // 删除当前列(&D)
    kPrintButton = 1073,        // 打印(&P)
};
} // namespace customer_browse
const DialogTemplate& CustomerBrowseTemplate();

} // namespace res
