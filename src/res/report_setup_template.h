#pragma once
// Dialog 196 "报表设置": the stored print settings of one report.
#include "res/dialog_template.h"

namespace res {

namespace report_setup {
enum : int {
    kDialogId = 196,
    kReportCombo = 1016, // "报表名"
    kTitleEdit = 10018,  // "标题"
    kTitleFontEdit = 10020,
    kSubtitleFontEdit = 10019,
    kPrintedList = 1030,      // "打印项目"
    kHiddenList = 1136,       // "不打印项目"
    kToHiddenButton = 32769,  // "next"
    kToPrintedButton = 32768, // "prev"
    kPaperCombo = 1017,
    kSubtitleHeightEdit = 10023, // "副标高", not stored
    kHeaderGapEdit = 10011,      // "眉标距"
    kTitleHeightEdit = 10012,    // "标题高"
    kFooterHeightEdit = 10013,   // "页脚高"
    kLeftMarginEdit = 10014,     // "左边距"
    kRightMarginEdit = 10015,    // "右边距"
    kTopMarginEdit = 10016,      // "上边距"
    kBottomMarginEdit = 10017,   // "下边距"
    kHeaderEdit = 10001,         // "页眉"
    kHeaderFontEdit = 10021,
    kFooterEdit = 10002, // "页脚"
    kFooterFontEdit = 10022,
    kFooterUpRadio = 1107,       // "页脚上移"
    kFooterAsNeededRadio = 1108, // "按需打印"
    kFooterFixedRadio = 1109,    // "页脚固定"
    kPreviewButton = 1009,       // "预览(&Y)"
    kAdjustButton = 1035,        // "行列调整"
    kSaveAdjustButton = 1073,    // "保存调整"
    kDefaultsButton = 1074,      // "默认值"
    kMoreButton = 1072,          // "..."
    kGrid = 1002,
    kFirstSpin = 10064,
    kLastSpin = 10075,
};
} // namespace report_setup
const DialogTemplate& ReportSetupTemplate();

} // namespace res
