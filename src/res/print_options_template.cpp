#include "res/print_options_template.h"

#include "platform/wx_text.h"
#include "res/control_ids.h"

namespace res {

const DialogTemplate& PrintOptionsTemplate() {
    using namespace print_options;
    using K = ControlKind;
    static const DialogTemplate dialog{
        kDialogId,
        U("打印对话框"),
        250,
        162,
        {
            {K::GroupBox, IDC_STATIC, U("操作方式"), 7, 4, 100, 58},
            {K::Radio, kPrintRadio, U("打印(&P)"), 14, 16, 86, 10, kStyleGroup},
            {K::Radio, kPreviewRadio, U("预览(&V)"), 14, 30, 86, 10},
            {K::Radio, kSaveRadio, U("保存为文件(&S)"), 14, 44, 86, 10},
            {K::GroupBox, IDC_STATIC, U("内容和格式"), 7, 66, 100, 70},
            {K::Radio, kAsShownRadio, U("按当前表格(&C)"), 14, 78, 86, 10, kStyleGroup},
            {K::Radio, kBySettingsRadio, U("按设置值(&O)"), 14, 92, 86, 10},
            {K::CheckBox, kBillCheck, U("售货单(&D)"), 14, 106, 86, 10, kStyleHidden},
            {K::CheckBox, kCostSheetCheck, U("成本数量单(&T)"), 14, 120, 86, 10, kStyleHidden},
            {K::GroupBox, IDC_STATIC, U("打印范围和份数"), 113, 4, 130, 132},
            {K::Radio, kAllPagesRadio, U("全部(&A)"), 120, 16, 50, 10, kStyleGroup},
            {K::Radio, kPageRangeRadio, U("指定页码(&Z)"), 172, 16, 66, 10},
            {K::Static, IDC_STATIC, U("从"), 120, 34, 10, 8},
            {K::Edit, kFromPageEdit, "", 132, 32, 40, 12, kStyleNumber | kStyleDisabled},
            {K::Static, IDC_STATIC, U("到"), 180, 34, 10, 8},
            {K::Edit, kToPageEdit, "", 192, 32, 40, 12, kStyleNumber | kStyleDisabled},
            {K::Static, IDC_STATIC, U("打印份数"), 120, 52, 40, 8},
            {K::Edit, kCopiesEdit, "1", 162, 50, 40, 12, kStyleNumber},
            {K::Spin, kCopiesSpin, "Spin1", 202, 50, 11, 12, kStyleAutoBuddy},
            {K::Edit, kRemarkEdit, "", 120, 68, 116, 62, kStyleMultiline},
            {K::DefButton, kOutputButton, U("输出(&Y)"), 7, 142, 50, 14},
            {K::Button, kReportSetupButton, U("报表设置"), 62, 142, 50, 14},
            {K::Button, kPrintSetupButton, U("打印设置"), 117, 142, 50, 14},
            {K::Button, kExitButton, U("退出(&X)"), 193, 142, 50, 14},
            {K::Custom, kGrid, "Custom1", 240, 150, 8, 10, kStyleHidden, "GridCtrl"},
        },
    };
    return dialog;
}

} // namespace res
