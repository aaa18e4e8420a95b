#include "res/background_template.h"

#include "res/control_ids.h"

namespace res {

const DialogTemplate& BackgroundTemplate() {
    using namespace background;
    using K = ControlKind;
    static const DialogTemplate dialog{
        kDialogId,
        wxString::FromUTF8("屏幕底图"),
        262,
        56,
        {
            {K::Static, IDC_STATIC, wxString::FromUTF8("当前底图"), 7, 10, 38, 10},
            {K::Edit, kPathEdit, "", 46, 8, 184, 14},
            {K::Button, kBrowseButton, ". . .", 234, 8, 21, 14},
            {K::DefButton, kOkButton, wxString::FromUTF8("确定(&Y)"), 136, 34, 56, 14},
            {K::Button, kCancelButton, wxString::FromUTF8("取消(&U)"), 199, 34, 56, 14},
        },
    };
    return dialog;
}

} // namespace res
