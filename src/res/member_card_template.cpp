#include "res/member_card_template.h"

#include "res/control_ids.h"

namespace res {

const DialogTemplate& MemberCardTemplate() {
    using namespace member_card;
    using K = ControlKind;
    const unsigned off = kStyleDisabled;
    auto text = [](const char* s) { return wxString::FromUTF8(s); };
    static const DialogTemplate dialog{
        kDialogId,
        text("会员资料"),
        278,
        150,
        {
            {K::Static, IDC_STATIC, text("卡类别"), 10, 14, 40, 8},
            {K::ComboBox, kTypeCombo, "", 52, 12, 80, 12, off},
            {K::Static, IDC_STATIC, text("卡号"), 142, 14, 40, 8},
            {K::Edit, kCardNoEdit, "", 184, 12, 84, 12, off},
            {K::Static, IDC_STATIC, text("车牌号码"), 10, 34, 40, 8},
            {K::ComboBox, kPlateCombo, "", 52, 32, 80, 12, off},
            {K::Static, IDC_STATIC, text("办卡日期"), 142, 34, 40, 8},
            {K::Edit, kIssuedEdit, "", 184, 32, 84, 12, off},
            {K::Static, kValidLabel, text("有效期"), 10, 54, 40, 8},
            {K::Edit, kValidEdit, "", 52, 52, 80, 12, off},
            {K::Static, IDC_STATIC, text("服务密码"), 142, 54, 40, 8},
            {K::Edit, kPasswordEdit, "", 184, 52, 84, 12, off},
            {K::Static, IDC_STATIC, text("推销员"), 10, 74, 40, 8},
            {K::ComboBox, kSalesmanCombo, "", 52, 72, 80, 12, off},
            {K::Static, IDC_STATIC, text("金额"), 142, 74, 40, 8},
            {K::Edit, kAmountEdit, "", 184, 72, 84, 12, off | kStyleNumber},
            {K::Button, kNewButton, text("新增(&N)"), 10, 104, 60, 14},
            {K::Button, kModifyButton, text("修改(&R)"), 76, 104, 60, 14},
            {K::Button, kDeleteButton, text("删除(&E)"), 142, 104, 60, 14},
            {K::Button, kPrintButton, text("打印(&P)"), 208, 104, 60, 14},
            {K::Button, kBrowseButton, text("浏览(&L)"), 10, 126, 60, 14},
            {K::Button, kSaveButton, text("存档(&S)"), 76, 126, 60, 14},
            {K::Button, kCancelButton, text("取消(&U)"), 142, 126, 60, 14},
            {K::Button, kExitButton, text("退出(&X)"), 208, 126, 60, 14},
        },
    };
    return dialog;
}

} // namespace res
