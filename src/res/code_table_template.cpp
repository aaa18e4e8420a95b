#include "res/code_table_template.h"

namespace res {

const DialogTemplate& CodeTableTemplate() {
    using namespace code_table;
    using K = ControlKind;
    auto text = [](const char* s) { return wxString::FromUTF8(s); };
    static const DialogTemplate dialog{
        kDialogId,
        text("项目维护"),
        516,
        142,
        {
            {K::Static, kFilterLabel, text("卡类别"), 6, 8, 30, 8},
            {K::ComboBox, kFilterCombo, "", 38, 6, 70, 100, kStyleSorted},
            {K::Static, kPositionLabel, text("部位"), 112, 8, 18, 8, kStyleHidden},
            {K::ComboBox, kPositionCombo, "", 132, 6, 60, 100, kStyleSorted | kStyleHidden},
            {K::Static, kStoreLabel, text("库房"), 196, 8, 26, 8, kStyleHidden},
            {K::ComboBox, kStoreCombo, "", 224, 6, 60, 100, kStyleSorted | kStyleHidden},
            {K::CheckBox, kModelCheck, text("指定车型"), 284, 7, 48, 10, kStyleHidden},
            {K::Edit, kNameEdit, "", 332, 6, 46, 12, kStyleHidden},
            {K::Edit, kCodeEdit, "", 380, 6, 40, 12, kStyleHidden},
            {K::Edit, kShortCodeEdit, "", 422, 6, 34, 12, kStyleHidden},
            {K::Button, kFuzzyButton, text("模糊查找(&L)"), 458, 5, 50, 14},
            {K::Static, kHeading, "", 200, 8, 100, 12},
            {K::Static, kPartDiscountLabel, text("零件费折扣"), 112, 8, 48, 8, kStyleHidden},
            {K::Edit, kPartDiscountEdit, "", 162, 6, 30, 12, kStyleNumber | kStyleHidden},
            {K::Spin, kPartDiscountSpin, "", 192, 6, 10, 12, kStyleAutoBuddy | kStyleHidden},
            {K::Static, kServiceDiscountLabel, text("服务费折扣"), 300, 8, 48, 8, kStyleHidden},
            {K::Edit, kServiceDiscountEdit, "", 350, 6, 30, 12, kStyleNumber | kStyleHidden},
            {K::Spin, kServiceDiscountSpin, "", 380, 6, 10, 12, kStyleAutoBuddy | kStyleHidden},
            {K::Static, kCostTotal, "", 440, 90, 70, 8, kStyleHidden},
            {K::Static, kWholesaleTotal, "", 440, 100, 70, 8, kStyleHidden},
            {K::Static, kRetailTotal, "", 440, 110, 70, 8, kStyleHidden},
            {K::Button, kShortCodesButton, text("自动生成简码"), 160, 5, 66, 14, kStyleHidden},
            {K::Custom, kGrid, "", 6, 24, 504, 90, kStyleNone, "GridCtrl"},
            {K::GroupBox, kButtonFrame, "", 4, 116, 300, 24},
            {K::Button, kNewButton, text("新增(&N)"), 8, 121, 38, 14},
            {K::Button, kEditButton, text("修改(&R)"), 50, 121, 38, 14},
            {K::Button, kDeleteButton, text("删除(&E)"), 92, 121, 38, 14},
            {K::Button, kPrintButton, text("打印(&P)"), 134, 121, 38, 14},
            {K::Button, kSaveButton, text("存档(&S)"), 176, 121, 38, 14, kStyleDisabled},
            {K::Button, kCancelButton, text("取消(&U)"), 218, 121, 38, 14, kStyleDisabled},
            {K::Button, kExitButton, text("退出(&X)"), 260, 121, 38, 14},
        },
    };
    return dialog;
}

} // namespace res
