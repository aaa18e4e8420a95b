#include "res/repair_print_template.h"

#include "platform/wx_text.h"
#include "res/control_ids.h"

namespace res {

const DialogTemplate& RepairPrintTemplate() {
    using namespace repair_print;
    using K = ControlKind;
    static const DialogTemplate dialog{
        kDialogId,
        U("维修单打印"),
        380,
        300,
        {
            {K::GroupBox, IDC_STATIC, U("单据"), 7, 4, 366, 26},
            {K::Radio, kBriefRadio, U("简表"), 14, 15, 50, 10, kStyleGroup},
            {K::Radio, kPreRepairRadio, U("预修单"), 70, 15, 50, 10},
            {K::Radio, kRepairOrderRadio, U("维修单"), 126, 15, 50, 10},
            {K::Radio, kSalesTicketRadio, U("售货单"), 182, 15, 50, 10},
            {K::Radio, kDispatchRadio, U("派工单"), 238, 15, 50, 10},
            {K::CheckBox, kHintsCheck, U("带保养提示"), 296, 15, 70, 10},
            {K::Static, IDC_STATIC, U("标题名"), 7, 38, 40, 8},
            {K::Edit, kTitleEdit, "", 50, 36, 323, 12},
            {K::CheckBox, kRow1Check, "", 7, 56, 10, 10},
            {K::Static, IDC_STATIC, U("车牌"), 20, 57, 24, 8},
            {K::Edit, kPlateEdit, "", 46, 55, 70, 12},
            {K::Static, IDC_STATIC, U("车型"), 120, 57, 24, 8},
            {K::Edit, kModelEdit, "", 146, 55, 70, 12},
            {K::Static, IDC_STATIC, U("进厂日期"), 220, 57, 36, 8},
            {K::Edit, kDateInEdit, "", 258, 55, 50, 12},
            {K::Static, kDateOutLabel, U("出厂"), 312, 57, 18, 8},
            {K::Edit, kDateOutEdit, "", 332, 55, 41, 12},
            {K::DropList, kChiefCombo, "", 332, 55, 41, 80, kStyleHidden},
            {K::CheckBox, kRow1Check + 1, "", 7, 74, 10, 10},
            {K::Static, IDC_STATIC, U("送修"), 20, 75, 24, 8},
            {K::Edit, kBroughtByEdit, "", 46, 73, 70, 12},
            {K::Static, IDC_STATIC, U("电话"), 120, 75, 24, 8},
            {K::Edit, kPhoneEdit, "", 146, 73, 70, 12},
            {K::Static, IDC_STATIC, U("身份证号"), 220, 75, 36, 8},
            {K::Edit, kIdCardEdit, "", 258, 73, 115, 12},
            {K::CheckBox, kRow1Check + 2, "", 7, 92, 10, 10},
            {K::Static, IDC_STATIC, U("颜色"), 20, 93, 24, 8},
            {K::Edit, kColourEdit, "", 46, 91, 70, 12},
            {K::Static, IDC_STATIC, U("里程"), 120, 93, 24, 8},
            {K::Edit, kMileageEdit, "", 146, 91, 70, 12},
            {K::Static, IDC_STATIC, U("发动机号"), 220, 93, 36, 8},
            {K::Edit, kEngineNoEdit, "", 258, 91, 115, 12},
            {K::CheckBox, kRow1Check + 3, "", 7, 110, 10, 10},
            {K::Static, IDC_STATIC, U("单位"), 20, 111, 24, 8},
            {K::Edit, kWorkUnitEdit, "", 46, 109, 170, 12},
            {K::Static, IDC_STATIC, U("车架号码"), 220, 111, 36, 8},
            {K::Edit, kChassisNoEdit, "", 258, 109, 115, 12},
            {K::CheckBox, kFaultCheck, U("故障说明"), 7, 128, 60, 10},
            {K::Edit, kFaultEdit, "", 7, 140, 366, 30, kStyleMultiline},
            {K::CheckBox, kTermsCheck, U("约定事项"), 7, 174, 60, 10},
            {K::Edit, kTermsEdit, "", 7, 186, 366, 36, kStyleMultiline},
            {K::CheckBox, kRemarkCheck, U("备注"), 7, 226, 60, 10},
            {K::Edit, kRemarkEdit, "", 7, 238, 366, 36, kStyleMultiline},
            {K::DefButton, kPrintButton, U("打印(&P)"), 7, 280, 60, 14},
            {K::Button, kPreviewButton, U("打印预览"), 72, 280, 60, 14},
            {K::Button, kTableSetupButton, U("表格设置"), 137, 280, 60, 14},
            {K::Button, kExitButton, U("退出(&X)"), 313, 280, 60, 14},
        },
    };
    return dialog;
}

} // namespace res
