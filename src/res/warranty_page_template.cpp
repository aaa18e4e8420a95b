#include "res/warranty_page_template.h"

namespace res {

const DialogTemplate& WarrantyPageTemplate() {
    using namespace warranty_page;
    using K = ControlKind;
    auto text = [](const char* s) { return wxString::FromUTF8(s); };
    static const DialogTemplate dialog{
        kDialogId,
        text("三包零件"),
        516,
        142,
        {
            {K::Static, IDC_STATIC, text("客户名称"), 6, 8, 34, 8},
            {K::ComboBox, kCustomerCombo, "", 42, 6, 90, 100},
            {K::Static, IDC_STATIC, text("厂牌"), 138, 8, 18, 8},
            {K::DropList, kBrandCombo, "", 158, 6, 70, 100},
            {K::GroupBox, IDC_STATIC, text("日期范围"), 234, 0, 150, 22},
            {K::Static, IDC_STATIC, text("从"), 238, 9, 8, 8},
            {K::Edit, kFromEdit, "", 248, 7, 60, 12},
            {K::Static, IDC_STATIC, text("到"), 312, 9, 8, 8},
            {K::Edit, kToEdit, "", 322, 7, 58, 12},
            {K::Button, kFuzzyButton, text("模糊统计(&L)"), 388, 6, 50, 14},
            {K::Button, kQueryButton, text("开始统计(&B)"), 440, 6, 50, 14},
            {K::Button, kNotSentOutButton, text("未退出零件(&Y)"), 388, 22, 56, 14},
            {K::Button, kNotReissuedButton, text("未补发零件(&W)"), 446, 22, 56, 14},
            {K::Custom, kGrid, "", 6, 38, 504, 76, kStyleNone, "GridCtrl"},
            {K::GroupBox, kButtonFrame, "", 4, 116, 300, 24},
            {K::Button, kNewButton, text("新增(&N)"), 8, 121, 38, 14},
            {K::Button, kModifyButton, text("修改(&R)"), 50, 121, 38, 14},
            {K::Button, kDeleteButton, text("删除(&E)"), 92, 121, 38, 14},
            {K::Button, kPrintButton, text("打印(&P)"), 134, 121, 38, 14},
            {K::Button, kSaveButton, text("存档(&S)"), 176, 121, 38, 14},
            {K::Button, kDiscardButton, text("取消(&U)"), 218, 121, 38, 14},
            {K::Button, kExitButton, text("退出(&X)"), 260, 121, 38, 14},
            {K::Static, kCostTotal, text("零件费折扣"), 320, 118, 90, 8},
            {K::Static, kDealTotal, text("服务费折扣"), 320, 130, 90, 8},
        },
    };
    return dialog;
}

} // namespace res
