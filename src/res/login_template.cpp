#include "res/login_template.h"

#include "platform/wx_text.h"
#include "res/control_ids.h"

namespace res {

const DialogTemplate& LoginTemplate() {
    using namespace login;
    using K = ControlKind;
    static const DialogTemplate dialog{
        kDialogId,
        U("系统登录"),
        168,
        108,
        {
            {K::Static, IDC_STATIC, U("登录名"), 32, 14, 25, 8},
            {K::Edit, kLoginNameEdit, "", 63, 11, 65, 14},
            {K::Static, kPasswordLabel, U("密码"), 38, 38, 17, 8},
            {K::Edit, kPasswordEdit, "", 63, 34, 65, 14, kStylePassword},
            {K::Static, kSetLabel, U("帐套"), 38, 58, 17, 8},
            // As wide as the edits, so that a set's name shows whole beside the list button.
            {K::ComboBox, kSetCombo, "", 63, 56, 65, 14, kStyleSorted},
            {K::Button, kDeleteSetButton, U("删除"), 131, 56, 26, 14},
            {K::Static, kNewPasswordLabel, U("新密码"), 31, 70, 25, 8, kStyleHidden},
            {K::Edit, kNewPasswordEdit, "", 63, 66, 65, 14, kStylePassword | kStyleHidden},
            {K::Static, kRepeatLabel, U("重新输入"), 22, 93, 33, 8, kStyleHidden},
            {K::Edit, kRepeatEdit, "", 63, 89, 65, 14, kStylePassword | kStyleHidden},
            {K::DefButton, IDOK, U("确定(&Y)"), 28, 81, 50, 14},
            {K::Button, IDCANCEL, U("退出(&X)"), 88, 81, 50, 14},
        },
    };
    return dialog;
}

} // namespace res
