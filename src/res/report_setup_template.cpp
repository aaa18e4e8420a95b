#include "res/report_setup_template.h"

#include "res/control_ids.h"

namespace res {

const DialogTemplate& ReportSetupTemplate() {
    using namespace report_setup;
    using K = ControlKind;
    auto U = [](const char* s) { return wxString::FromUTF8(s); };
    static const DialogTemplate dialog{
        kDialogId,
        U("报表设置"),
        330,
        252,
        {
            {K::Static, IDC_STATIC, U("报表名"), 7, 8, 30, 8},
            {K::ComboBox, kReportCombo, "", 40, 6, 112, 120, kStyleSorted},
            {K::Static, IDC_STATIC, U("标题"), 7, 26, 30, 8},
            {K::Edit, kTitleEdit, "", 40, 24, 64, 12},
            {K::Static, IDC_STATIC, U("标题字体"), 108, 26, 34, 8},
            {K::Edit, kTitleFontEdit, "", 142, 24, 22, 12, kStyleNumber},
            {K::Spin, 10071, "", 164, 24, 10, 12, kStyleAutoBuddy},
            {K::Static, IDC_STATIC, U("副标题字体"), 7, 44, 44, 8},
            {K::Edit, kSubtitleFontEdit, "", 52, 42, 22, 12, kStyleNumber},
            {K::Spin, 10075, "", 74, 42, 10, 12, kStyleAutoBuddy},
            {K::Static, IDC_STATIC, U("打印项目"), 7, 60, 60, 8},
            {K::ListBox, kPrintedList, "", 7, 70, 66, 98},
            {K::Button, kToHiddenButton, ">>", 76, 96, 18, 14},
            {K::Button, kToPrintedButton, "<<", 76, 116, 18, 14},
            {K::Static, IDC_STATIC, U("不打印项目"), 97, 60, 60, 8},
            {K::ListBox, kHiddenList, "", 97, 70, 66, 98},
            {K::GroupBox, IDC_STATIC, U("纸张和布局"), 170, 4, 154, 120},
            {K::ComboBox, kPaperCombo, "", 176, 16, 142, 120},
            {K::Static, IDC_STATIC, U("副标高"), 176, 38, 30, 8},
            {K::Edit, kSubtitleHeightEdit, "", 208, 36, 24, 12, kStyleNumber | kStyleDisabled},
            {K::Spin, 10074, "", 232, 36, 10, 12, kStyleAutoBuddy | kStyleDisabled},
            {K::Static, IDC_STATIC, U("眉标距"), 248, 38, 30, 8},
            {K::Edit, kHeaderGapEdit, "", 280, 36, 24, 12, kStyleNumber},
            {K::Spin, 10064, "", 304, 36, 10, 12, kStyleAutoBuddy},
            {K::Static, IDC_STATIC, U("标题高"), 176, 56, 30, 8},
            {K::Edit, kTitleHeightEdit, "", 208, 54, 24, 12, kStyleNumber},
            {K::Spin, 10065, "", 232, 54, 10, 12, kStyleAutoBuddy},
            {K::Static, IDC_STATIC, U("页脚高"), 248, 56, 30, 8},
            {K::Edit, kFooterHeightEdit, "", 280, 54, 24, 12, kStyleNumber},
            {K::Spin, 10066, "", 304, 54, 10, 12, kStyleAutoBuddy},
            {K::Static, IDC_STATIC, U("左边距"), 176, 74, 30, 8},
            {K::Edit, kLeftMarginEdit, "", 208, 72, 24, 12, kStyleNumber},
            {K::Spin, 10067, "", 232, 72, 10, 12, kStyleAutoBuddy},
            {K::Static, IDC_STATIC, U("右边距"), 248, 74, 30, 8},
            {K::Edit, kRightMarginEdit, "", 280, 72, 24, 12, kStyleNumber},
            {K::Spin, 10068, "", 304, 72, 10, 12, kStyleAutoBuddy},
            {K::Static, IDC_STATIC, U("上边距"), 176, 92, 30, 8},
            {K::Edit, kTopMarginEdit, "", 208, 90, 24, 12, kStyleNumber},
            {K::Spin, 10069, "", 232, 90, 10, 12, kStyleAutoBuddy},
            {K::Static, IDC_STATIC, U("下边距"), 248, 92, 30, 8},
            {K::Edit, kBottomMarginEdit, "", 280, 90, 24, 12, kStyleNumber},
            {K::Spin, 10070, "", 304, 90, 10, 12, kStyleAutoBuddy},
            {K::Static, IDC_STATIC, U("页眉"), 7, 178, 22, 8},
            {K::Edit, kHeaderEdit, "", 30, 174, 124, 24, kStyleMultiline},
            {K::Static, IDC_STATIC, U("字体"), 158, 178, 20, 8},
            {K::Edit, kHeaderFontEdit, "", 178, 176, 22, 12, kStyleNumber},
            {K::Spin, 10072, "", 200, 176, 10, 12, kStyleAutoBuddy},
            {K::Static, IDC_STATIC, U("页脚"), 7, 206, 22, 8},
            {K::Edit, kFooterEdit, "", 30, 202, 124, 24, kStyleMultiline},
            {K::Static, IDC_STATIC, U("字体"), 158, 206, 20, 8},
            {K::Edit, kFooterFontEdit, "", 178, 204, 22, 12, kStyleNumber},
            {K::Spin, 10073, "", 200, 204, 10, 12, kStyleAutoBuddy},
            {K::Radio, kFooterUpRadio, U("页脚上移"), 230, 176, 60, 10, kStyleGroup},
            {K::Radio, kFooterAsNeededRadio, U("按需打印"), 230, 190, 60, 10},
            {K::Radio, kFooterFixedRadio, U("页脚固定"), 230, 204, 60, 10},
            {K::DefButton, IDOK, U("存档(&S)"), 7, 232, 48, 14},
            {K::Button, kPreviewButton, U("预览(&Y)"), 60, 232, 48, 14},
            {K::Button, kAdjustButton, U("行列调整"), 113, 232, 48, 14},
            {K::Button, kSaveAdjustButton, U("保存调整"), 166, 232, 48, 14, kStyleHidden},
            {K::Button, kDefaultsButton, U("默认值"), 219, 232, 48, 14},
            {K::Button, IDCANCEL, U("退出(&X)"), 272, 232, 48, 14},
            {K::Button, kMoreButton, "...", 310, 6, 14, 12, kStyleHidden},
            {K::Custom, kGrid, "Custom1", 2, 2, 8, 10, kStyleHidden, "GridCtrl"},
        },
    };
    return dialog;
}

} // namespace res
