#include "res/repair_page_template.h"

namespace res {

// The header runs along the top; the grid, the button column, the total and the note
// are placed by the page itself to fill the lower pane.
const DialogTemplate& RepairPageTemplate() {
    using namespace repair_page;
    using K = ControlKind;
    const auto u = [](const char* text) { return wxString::FromUTF8(text); };
    static const DialogTemplate dialog{
        kDialogId,
        u("维修作业卡"),
        560,
        240,
        {
            {K::Custom, kGrid, "", 7, 18, 440, 170, kStyleNone, "GridCtrl"},
            {K::Edit, kVehicleTypeEdit, "", 2, 2, 46, 12, kStyleDisabled | kStyleReadOnly},
            {K::Edit, kColourEdit, "", 50, 2, 26, 12, kStyleDisabled | kStyleReadOnly},
            {K::Static, IDC_STATIC, u("车主"), 79, 4, 16, 9},
            {K::Edit, kOwnerEdit, "", 96, 2, 36, 12, kStyleDisabled | kStyleReadOnly},
            {K::Edit, kFeaturesEdit, "", 134, 2, 40, 12, kStyleDisabled | kStyleReadOnly},
            {K::Static, IDC_STATIC, u("接车"), 177, 4, 16, 9},
            {K::Edit, kReceivedEdit, "", 194, 2, 44, 12, kStyleDisabled | kStyleReadOnly},
            {K::Static, IDC_STATIC, u("里程"), 241, 4, 16, 9},
            {K::Edit, kMileageEdit, "", 258, 2, 30, 12},
            {K::Static, IDC_STATIC, u("维修"), 291, 4, 16, 9},
            {K::ComboBox, kWorkerCombo, "", 308, 2, 40, 12, kStyleSorted},
            {K::Static, IDC_STATIC, u("零件折"), 351, 4, 24, 9},
            {K::Edit, kPartsDiscountEdit, "", 378, 2, 36, 12, kStyleNumber},
            {K::Spin, kPartsDiscountSpin, "", 414, 2, 10, 12, kStyleAutoBuddy},
            {K::CheckBox, kLastPriceCheck, u("上次价"), 428, 3, 36, 10},
            {K::Static, IDC_STATIC, u("手工折"), 467, 4, 24, 9},
            {K::Edit, kLabourDiscountEdit, "", 494, 2, 36, 12, kStyleNumber},
            {K::Spin, kLabourDiscountSpin, "", 530, 2, 10, 12, kStyleAutoBuddy},
            {K::GroupBox, kButtonFrame, "", 452, 16, 50, 170},
            {K::Button, kCloseButton, u("关闭(&X)"), 456, 24, 42, 12},
            {K::Button, kDeleteButton, u("删除(&E)"), 456, 37, 42, 12},
            {K::Button, kSettleButton, u("结算(&S)"), 456, 50, 42, 12},
            {K::Button, kNewButton, u("新增(&N)"), 456, 63, 42, 12},
            {K::Button, kSuspendButton, u("挂起(&G)"), 456, 76, 42, 12},
            {K::Button, kPrintButton, u("打印(&P)"), 456, 89, 42, 12},
            {K::Button, kAbandonButton, u("放弃(&U)"), 456, 102, 42, 12},
            {K::Button, kCustomerButton, u("资料(&Z)"), 456, 115, 42, 12},
            {K::Button, kArchiveButton, u("档案(&D)"), 456, 128, 42, 12},
            {K::Button, kMaintenanceButton, u("保养(&B)"), 456, 141, 42, 12},
            {K::Button, kServiceButton, u("进度(&H)"), 456, 154, 42, 12},
            {K::Edit, kTotalEdit, "", 454, 170, 46, 12,
             kStyleDisabled | kStyleReadOnly | kStyleRight},
            {K::Edit, kNoteEdit, "", 7, 192, 440, 40, kStyleMultiline},
        },
    };
    return dialog;
}

} // namespace res
