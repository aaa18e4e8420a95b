#include "res/member_list_template.h"

#include "res/control_ids.h"

namespace res {

const DialogTemplate& MemberListTemplate() {
    using namespace member_list;
    using K = ControlKind;
    auto text = [](const char* s) { return wxString::FromUTF8(s); };
    static const DialogTemplate dialog{
        kDialogId,
        text("会员清单"),
        302,
        147,
        {
            {K::Static, IDC_STATIC, text("卡类别"), 6, 8, 26, 8},
            {K::DropList, kTypeCombo, "", 34, 6, 60, 12},
            {K::Static, IDC_STATIC, text("车牌号码"), 100, 8, 34, 8},
            {K::Edit, kPlateEdit, "", 136, 6, 60, 12},
            {K::Static, IDC_STATIC, text("到期月份"), 202, 8, 34, 8},
            {K::Edit, kMonthEdit, "", 238, 6, 40, 12, kStyleNumber},
            {K::Spin, kMonthSpin, "", 278, 6, 10, 12, kStyleAutoBuddy},
            {K::Custom, kGrid, "", 4, 22, 294, 100, kStyleNone, "GridCtrl"},
            {K::Button, kExpiredButton, text("过期会员(&G)"), 30, 128, 56, 14},
            {K::Button, kPrintButton, text("打印(&P)"), 92, 128, 56, 14},
            {K::Button, kClearButton, text("清除过期(&D)"), 154, 128, 56, 14},
            {K::Button, IDCANCEL, text("退出(&X)"), 216, 128, 56, 14},
        },
    };
    return dialog;
}

} // namespace res
