#pragma once
// Dialog 179 "打印对话框": print, preview or save the current grid.
#include "res/dialog_template.h"

namespace res {

namespace print_options {
enum : int {
    kDialogId = 179,
    kPrintRadio = 1107,      // "打印(&P)"
    kPreviewRadio = 1108,    // "预览(&V)"
    kSaveRadio = 1109,       // "保存为文件(&S)"
    kAsShownRadio = 1112,    // "按当前表格(&C)"
    kBySettingsRadio = 1147, // "按设置值(&O)"
    kBillCheck = 1148,       // "售货单(&D)"
    kCostSheetCheck = 1149,  // "成本数量单(&T)"
    kAllPagesRadio = 1150,   // "全部(&A)"
    kPageRangeRadio = 1175,  // "指定页码(&Z)"
    kFromPageEdit = 10001,
    kToPageEdit = 10002,
    kCopiesEdit = 10003,
    kRemarkEdit = 10004,
    kCopiesSpin = 10064,
    kOutputButton = 1009, // "输出(&Y)"
    kExitButton = 1035,   // "退出(&X)"
    kReportSetupButton = 1072,
    kPrintSetupButton = 1073,
    kGrid = 1002,
};
} // namespace print_options
const DialogTemplate& PrintOptionsTemplate();

} // namespace res
