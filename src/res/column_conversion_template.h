#pragma once
// Dialog 301 "列转换": a column of the grid and what it is to become.
#include "res/dialog_template.h"

namespace res {

namespace column_conversion {
enum : int {
    kDialogId = 301,
    kColumnCombo = 1016,
    kReplaceLabel = 1131,
    kExpressionEdit = 10001,
};
} // namespace column_conversion
const DialogTemplate& ColumnConversionTemplate();

} // namespace res
