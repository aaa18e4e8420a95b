#include "res/report_setup_template.h"

#include "platform/wx_text.h"
#include "res/control_ids.h"

namespace res {

const DialogTemplate& ReportSetupTemplate() {
    using namespace report_setup;
    using K = ControlKind;
    static const DialogTemplate dialog{
        kDialogId,
        U("报表设置"),
        432,
        254,
        {
            {K::Static, IDC_STATIC, U("报表名"), 7, 8, 36, 8},
            {K::ComboBox, kReportCombo, "", 46, 6, 170, 14, kStyleSorted},
            {K::Static, IDC_STATIC, U("标题"), 7, 26, 36, 8},
            {K::Edit, kTitleEdit, "", 46, 24, 170, 12},
            {K::Static, IDC_STATIC, U("标题字体"), 7, 44, 38, 8},
            {K::Edit, kTitleFontEdit, "", 46, 42, 40, 12, kStyleNumber},
            {K::Spin, 10071, "", 86, 42, 20, 12, kStyleAutoBuddy},
            {K::Static, IDC_STATIC, U("副标题字体"), 112, 44, 44, 8},
            {K::Edit, kSubtitleFontEdit, "", 156, 42, 40, 12, kStyleNumber},
            {K::Spin, 10075, "", 196, 42, 20, 12, kStyleAutoBuddy},
            {K::Static, IDC_STATIC, U("打印项目"), 7, 60, 80, 8},
            {K::ListBox, kPrintedList, "", 7, 70, 92, 100},
            {K::Button, kToHiddenButton, ">>", 102, 96, 20, 14},
            {K::Button, kToPrintedButton, "<<", 102, 116, 20, 14},
            {K::Static, IDC_STATIC, U("不打印项目"), 125, 60, 80, 8},
            {K::ListBox, kHiddenList, "", 125, 70, 91, 100},
            {K::GroupBox, IDC_STATIC, U("纸张和布局"), 222, 4, 204, 112},
            {K::ComboBox, kPaperCombo, "", 228, 16, 192, 14},
            {K::Static, IDC_STATIC, U("副标高"), 228, 38, 32, 8},
            {K::Edit, kSubtitleHeightEdit, "", 262, 36, 40, 12, kStyleNumber | kStyleDisabled},
            {K::Spin, 10074, "", 302, 36, 20, 12, kStyleAutoBuddy | kStyleDisabled},
            {K::Static, IDC_STATIC, U("眉标距"), 326, 38, 32, 8},
            {K::Edit, kHeaderGapEdit, "", 360, 36, 40, 12, kStyleNumber},
            {K::Spin, 10064, "", 400, 36, 20, 12, kStyleAutoBuddy},
            {K::Static, IDC_STATIC, U("标题高"), 228, 56, 32, 8},
            {K::Edit, kTitleHeightEdit, "", 262, 54, 40, 12, kStyleNumber},
            {K::Spin, 10065, "", 302, 54, 20, 12, kStyleAutoBuddy},
            {K::Static, IDC_STATIC, U("页脚高"), 326, 56, 32, 8},
            {K::Edit, kFooterHeightEdit, "", 360, 54, 40, 12, kStyleNumber},
            {K::Spin, 10066, "", 400, 54, 20, 12, kStyleAutoBuddy},
            {K::Static, IDC_STATIC, U("左边距"), 228, 74, 32, 8},
            {K::Edit, kLeftMarginEdit, "", 262, 72, 40, 12, kStyleNumber},
            {K::Spin, 10067, "", 302, 72, 20, 12, kStyleAutoBuddy},
            {K::Static, IDC_STATIC, U("右边距"), 326, 74, 32, 8},
            {K::Edit, kRightMarginEdit, "", 360, 72, 40, 12, kStyleNumber},
            {K::Spin, 10068, "", 400, 72, 20, 12, kStyleAutoBuddy},
            {K::Static, IDC_STATIC, U("上边距"), 228, 92, 32, 8},
            {K::Edit, kTopMarginEdit, "", 262, 90, 40, 12, kStyleNumber},
            {K::Spin, 10069, "", 302, 90, 20, 12, kStyleAutoBuddy},
            {K::Static, IDC_STATIC, U("下边距"), 326, 92, 32, 8},
            {K::Edit, kBottomMarginEdit, "", 360, 90, 40, 12, kStyleNumber},
            {K::Spin, 10070, "", 400, 90, 20, 12, kStyleAutoBuddy},
            {K::Static, IDC_STATIC, U("页眉"), 7, 180, 22, 8},
            {K::Edit, kHeaderEdit, "", 30, 176, 220, 24, kStyleMultiline},
            {K::Static, IDC_STATIC, U("字体"), 256, 180, 20, 8},
            {K::Edit, kHeaderFontEdit, "", 278, 178, 40, 12, kStyleNumber},
            {K::Spin, 10072, "", 318, 178, 20, 12, kStyleAutoBuddy},
            {K::Static, IDC_STATIC, U("页脚"), 7, 208, 22, 8},
            {K::Edit, kFooterEdit, "", 30, 204, 220, 24, kStyleMultiline},
            {K::Static, IDC_STATIC, U("字体"), 256, 208, 20, 8},
            {K::Edit, kFooterFontEdit, "", 278, 206, 40, 12, kStyleNumber},
            {K::Spin, 10073, "", 318, 206, 20, 12, kStyleAutoBuddy},
            {K::Radio, kFooterUpRadio, U("页脚上移"), 350, 176, 70, 10, kStyleGroup},
            {K::Radio, kFooterAsNeededRadio, U("按需打印"), 350, 192, 70, 10},
            {K::Radio, kFooterFixedRadio, U("页脚固定"), 350, 208, 70, 10},
            {K::DefButton, IDOK, U("存档(&S)"), 7, 234, 64, 14},
            {K::Button, kPreviewButton, U("预览(&Y)"), 78, 234, 64, 14},
            {K::Button, kAdjustButton, U("行列调整"), 149, 234, 64, 14},
            {K::Button, kSaveAdjustButton, U("保存调整"), 220, 234, 64, 14, kStyleHidden},
            {K::Button, kDefaultsButton, U("默认值"), 291, 234, 64, 14},
            {K::Button, IDCANCEL, U("退出(&X)"), 362, 234, 64, 14},
            {K::Button, kMoreButton, "...", 412, 118, 14, 12, kStyleHidden},
            {K::Custom, kGrid, "Custom1", 2, 2, 8, 10, kStyleHidden, "GridCtrl"},
        },
    };
    return dialog;
}

} // namespace res
