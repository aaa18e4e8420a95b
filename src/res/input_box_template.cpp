#include "res/input_box_template.h"

#include "res/control_ids.h"

namespace res {

const DialogTemplate& InputBoxTemplate() {
    using namespace input_box;
    using K = ControlKind;
    static const DialogTemplate dialog{
        kDialogId,
        wxString::FromUTF8("输入框"),
        182,
        93,
        {
            {K::Static, kPrompt, wxString::FromUTF8("输入内容"), 22, 16, 126, 8},
            {K::Edit, kInputEdit, "", 24, 33, 124, 14},
            {K::DefButton, IDOK, wxString::FromUTF8("确定(&Y)"), 34, 67, 50, 14},
            {K::Button, IDCANCEL, wxString::FromUTF8("放弃(&X)"), 92, 67, 50, 14},
        },
    };
    return dialog;
}

} // namespace res
