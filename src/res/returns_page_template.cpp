#include "res/returns_page_template.h"

namespace res {

const DialogTemplate& ReturnsPageTemplate() {
    using namespace returns_page;
    using K = ControlKind;
    auto text = [](const char* s) { return wxString::FromUTF8(s); };
    static const DialogTemplate dialog{
        kDialogId,
        text("退货"),
        419,
        124,
        {
            {K::Static, kChoiceLabel, text("客户"), 6, 8, 30, 8},
            {K::ComboBox, kChoiceCombo, "", 38, 6, 100, 100, kStyleSorted},
            {K::Radio, kTakeBackRadio, text("退回"), 146, 7, 32, 10, kStyleGroup},
            {K::Radio, kReissueRadio, text("补发"), 180, 7, 32, 10},
            {K::Button, kSpareButton, "", 214, 5, 14, 14},
            {K::Button, kReturnListButton, text("退货清单(&T)"), 236, 5, 56, 14},
            {K::Button, kPendingButton, text("待处理件(&B)"), 296, 5, 56, 14},
            {K::Button, kToStockButton, text("放回仓库(&C)"), 356, 5, 56, 14},
            {K::Custom, kGrid, "", 6, 22, 407, 72, kStyleNone, "GridCtrl"},
            {K::GroupBox, kButtonFrame, "", 4, 96, 300, 24},
            {K::Button, kNewButton, text("新增(&N)"), 8, 103, 38, 14},
            {K::Button, kModifyButton, text("修改(&R)"), 50, 103, 38, 14},
            {K::Button, kDeleteButton, text("删除(&E)"), 92, 103, 38, 14},
            {K::Button, kPrintButton, text("打印(&P)"), 134, 103, 38, 14},
            {K::Button, kSaveButton, text("存档(&S)"), 176, 103, 38, 14},
            {K::Button, kCancelButton, text("取消(&U)"), 218, 103, 38, 14},
            {K::Button, kExitButton, text("退出(&X)"), 260, 103, 38, 14},
            {K::Edit, kTotalEdit, "", 320, 103, 60, 14, kStyleReadOnly | kStyleRight},
        },
    };
    return dialog;
}

} // namespace res
