#include "res/about_template.h"

#include "res/control_ids.h"

namespace res {

const DialogTemplate& AboutTemplate() {
    using namespace about;
    using K = ControlKind;
    static const DialogTemplate dialog{
        kDialogId,
        wxString::FromUTF8("版本"),
        180,
        62,
        {
            {K::Custom, kTitleLink, "", 10, 12, 160, 10, kStyleNone, kLinkClass},
            {K::Static, IDC_STATIC, wxString::FromUTF8("按F1键或点上面的名称可以打开帮助。"), 10,
             28, 160, 10},
            {K::DefButton, IDOK, wxString::FromUTF8("确定"), 120, 42, 50, 14},
        },
    };
    return dialog;
}

} // namespace res
