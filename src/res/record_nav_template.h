#pragma once
// Dialog 171 "记录导航条": the record navigation bar of the record dialogs.
#include "res/dialog_template.h"

namespace res {

namespace record_nav {
enum : int {
    kDialogId = 171,
    kFirstButton = 106,    // "记录首"
    kPreviousButton = 107, // "上一条"
    kNextButton = 108,     // "下一条"
    kLastButton = 109,     // "记录尾"
    kFieldList = 1016,
    kValueEdit = 1094,
};
} // namespace record_nav
const DialogTemplate& RecordNavTemplate();

} // namespace res
