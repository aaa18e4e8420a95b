#pragma once
// Dialog 300 "输入框": one line of text under a prompt.
#include "res/dialog_template.h"

namespace res {

namespace input_box {
enum : int {
    kDialogId = 300,
    kPrompt = 1120,
    kInputEdit = 10001,
};
} // namespace input_box
const DialogTemplate& InputBoxTemplate();

} // namespace res
