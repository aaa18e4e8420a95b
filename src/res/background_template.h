#pragma once
// Dialog 241 "屏幕底图": the choice of the background picture.
#include "res/dialog_template.h"

namespace res {

namespace background {
enum : int {
    kDialogId = 241,
    kPathEdit = 10001,
    kBrowseButton = 1072, // ". . ."
    kOkButton = 1009,     // "确定(&Y)"
    kCancelButton = 1035, // "取消(&U)"
};
} // namespace background
const DialogTemplate& BackgroundTemplate();

} // namespace res
