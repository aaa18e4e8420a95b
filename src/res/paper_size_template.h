#pragma once
// Dialog 269 "自定义尺寸": length and width of a user-defined paper.
#include "res/dialog_template.h"

namespace res {

namespace paper_size {
enum : int {
    kDialogId = 269,
    kLengthEdit = 10001, // "纸长(dmm)"
    kWidthEdit = 10002,  // "纸宽(dmm)"
};
} // namespace paper_size
const DialogTemplate& PaperSizeTemplate();

} // namespace res
