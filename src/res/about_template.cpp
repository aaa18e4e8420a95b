#include "res/about_template.h"

#include "res/control_ids.h"

namespace res {

const DialogTemplate& AboutTemplate() {
    using namespace about;
    using K = ControlKind;
    static const DialogTemplate dialog{
        kDialogId,
        wxString::FromUTF8("版本"),
        200,
        90,
        {
            {K::Frame, kPicture, "", 10, 10, 32, 32},
            {K::Custom, kTitleLink, "", 50, 10, 140, 10, kStyleNone, kLinkClass},
            {K::Custom, kPictureLink, "", 50, 24, 10, 10, kStyleNone, kLinkClass},
            {K::Custom, kHelpLink, "", 64, 25, 60, 10, kStyleNone, kLinkClass},
            {K::Static, IDC_STATIC, wxString::FromUTF8("版权所有 (C) 2026 qv 开发组"), 50, 40, 140,
             10},
            {K::Static, IDC_STATIC, wxString::FromUTF8("按F1键或点上面的名称可以打开帮助。"), 10,
             56, 180, 10},
            {K::DefButton, IDOK, wxString::FromUTF8("确定"), 140, 70, 50, 14},
        },
    };
    return dialog;
}

} // namespace res
