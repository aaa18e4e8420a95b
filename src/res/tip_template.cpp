#include "res/tip_template.h"

#include "res/control_ids.h"

namespace res {

const DialogTemplate& TipTemplate() {
    using namespace tip;
    using K = ControlKind;
    static const DialogTemplate dialog{
        kDialogId,
        wxString::FromUTF8("操作要点"),
        231,
        164,
        {
            {K::Frame, IDC_STATIC, "", 12, 11, 207, 123},
            {K::Custom, kBulbArea, "", 20, 17, 190, 111, kStyleNone, kBulbAreaClass},
            {K::Static, kTipText, "", 28, 54, 177, 64},
            {K::CheckBox, kShowAtStartCheck, wxString::FromUTF8("起动时显示(&S)"), 13, 146, 85, 10},
            {K::Button, kNextButton, wxString::FromUTF8("下一页(&N)"), 109, 143, 50, 14},
            {K::DefButton, IDOK, wxString::FromUTF8("关闭(&C)"), 168, 143, 50, 14},
        },
    };
    return dialog;
}

} // namespace res
