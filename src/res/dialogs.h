#pragma once
// The program's dialog templates, one function per dialog resource, with the
// control IDs that the dialog's code uses.
#include "res/control_ids.h"
#include "res/dialog_template.h"

namespace res {

// Dialog 233 "表格设置": the grid appearance settings.
namespace grid_setup {
enum : int {
    kDialogId = 233,
    kHeadTextButton = 1009, // "标题字颜色"
    kHeadBackButton = 1035, // "标题背景"
    kFontButton = 1072,     // "表格字体"
    kCellBackButton = 1073, // "表格底版"
    kGridBackButton = 1074, // "表格背景"
    kDefaultsButton = 1075, // "默认值(&M)"
    kLinesButton = 1110,    // "网格线颜色"
    kLinkUpperCheck = 1148, // "支持上表联动"
    kHeadTextSample = 10001,
    kHeadBackSample = 10002,
    kFontSample = 10003,
    kCellBackSample = 10004,
    kGridBackSample = 10005,
    kLinesSample = 10006,
    kRowHeightEdit = 10011,
    kLineWidthEdit = 10012,
    kRowHeightSpin = 10064,
    kLineWidthSpin = 10065,
};
} // namespace grid_setup
const DialogTemplate& GridSetupTemplate();

} // namespace res
