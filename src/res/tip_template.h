#pragma once
// Dialog 111 "操作要点": the tip of the day.
#include "res/dialog_template.h"

namespace res {

namespace tip {
enum : int {
    kDialogId = 111,
    kBulbArea = 1000,
    kShowAtStartCheck = 1001, // "起动时显示(&S)"
    kNextButton = 1002,       // "下一页(&N)"
    kTipText = 1004,
};
// The window class of the light-bulb area; the tip dialog registers it.
constexpr const char* kBulbAreaClass = "TipBulbArea";
} // namespace tip
const DialogTemplate& TipTemplate();

} // namespace res
