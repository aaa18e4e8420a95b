#include "res/sales_page_template.h"

namespace res {

// The customer's data and the pricing controls run along the top; the grid, the
// button column, the total and the note are placed by the page to fill the pane.
const DialogTemplate& SalesPageTemplate() {
    using namespace sales_page;
    using K = ControlKind;
    const auto u = [](const char* text) { return wxString::FromUTF8(text); };
    static const DialogTemplate dialog = [&u] {
        DialogTemplate d{
            kDialogId,
            u("售货"),
            530,
            183,
            {
                {K::Custom, kGrid, "", 7, 30, 440, 120, kStyleNone, "GridCtrl"},
                {K::Static, IDC_STATIC, u("单据号"), 2, 4, 24, 9},
                {K::Edit, kNumberEdit, "", 27, 2, 50, 12, kStyleReadOnly},
                {K::Static, IDC_STATIC, u("地址"), 80, 4, 16, 9},
                {K::Edit, kAddressEdit, "", 97, 2, 110, 12, kStyleDisabled},
                {K::Static, IDC_STATIC, u("电话"), 210, 4, 16, 9},
                {K::Edit, kPhoneEdit, "", 227, 2, 50, 12, kStyleReadOnly},
                {K::Static, IDC_STATIC, u("传真"), 280, 4, 16, 9},
                {K::Edit, kFaxEdit, "", 297, 2, 50, 12, kStyleReadOnly},
                {K::Static, IDC_STATIC, u("帐余额"), 350, 4, 24, 9},
                {K::Edit, kBalanceEdit, "", 375, 2, 40, 12, kStyleReadOnly | kStyleRight},
                {K::Static, IDC_STATIC, u("联系人"), 2, 18, 24, 9},
                {K::Edit, kContactEdit, "", 27, 16, 40, 12, kStyleReadOnly},
                {K::Static, IDC_STATIC, u("手机"), 70, 18, 16, 9},
                {K::Edit, kMobileEdit, "", 87, 16, 50, 12, kStyleReadOnly},
                {K::Static, IDC_STATIC, u("备注"), 140, 18, 16, 9},
                {K::Edit, kRemarkEdit, "", 157, 16, 50, 12, kStyleReadOnly},
                {K::Static, IDC_STATIC, u("业务"), 210, 18, 16, 9},
                {K::ComboBox, kStaffCombo, "", 227, 16, 40, 12, kStyleSorted},
                {K::Static, IDC_STATIC, u("厂牌"), 270, 18, 16, 9},
                {K::ComboBox, kBrandCombo, "", 287, 16, 40, 12, kStyleSorted},
                {K::Static, IDC_STATIC, u("折扣"), 330, 18, 16, 9},
                {K::Edit, kDiscountEdit, "", 347, 16, 36, 12, kStyleNumber},
                {K::Spin, kDiscountSpin, "", 383, 16, 10, 12, kStyleAutoBuddy},
                {K::CheckBox, kWholesaleCheck, u("批发"), 397, 17, 30, 10, kStyleRight},
                {K::CheckBox, kLastPriceCheck, u("上次价"), 430, 17, 36, 10, kStyleRight},
            },
        };
        for (const ControlTemplate& control :
             line_page::ButtonColumn(28, 150, {{kLedgerButton, u("帐目(&B)")}}, 166))
            d.controls.push_back(control);
        d.controls.push_back({K::Edit, kNoteEdit, "", 7, 152, 440, 28, kStyleMultiline});
        return d;
    }();
    return dialog;
}

} // namespace res
