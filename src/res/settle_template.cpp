#include "res/settle_template.h"

namespace res {

const DialogTemplate& SettleTemplate() {
    using namespace settle;
    using K = ControlKind;
    const auto u = [](const char* text) { return wxString::FromUTF8(text); };
    static const DialogTemplate dialog{
        kDialogId,
        u("结算"),
        159,
        109,
        {
            {K::Static, IDC_STATIC, u("应收"), 20, 17, 24, 9},
            {K::Edit, kReceivableEdit, "", 50, 15, 90, 14, kStyleDisabled | kStyleRight},
            {K::Static, IDC_STATIC, u("收款"), 20, 39, 24, 9},
            {K::Edit, kReceivedEdit, "", 50, 37, 90, 14, kStyleRight},
            {K::Static, IDC_STATIC, u("应找"), 20, 61, 24, 9},
            {K::Edit, kChangeEdit, "", 50, 59, 90, 14, kStyleDisabled | kStyleRight},
            {K::Button, kConfirmButton, u("确定(&Y)"), 22, 84, 50, 16},
            {K::Button, kCancelButton, u("取消(&U)"), 88, 84, 50, 16},
        },
    };
    return dialog;
}

} // namespace res
