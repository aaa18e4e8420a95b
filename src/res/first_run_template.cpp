#include "res/first_run_template.h"

#include "platform/wx_text.h"
#include "res/control_ids.h"

namespace res {

const DialogTemplate& FirstRunTemplate() {
    using namespace first_run;
    using K = ControlKind;
    static const DialogTemplate dialog{
        kDialogId,
        U("建立管理员"),
        200,
        112,
        {
            {K::Static, IDC_STATIC, U("第一次使用本系统，请输入管理员的登录名和密码:"), 10, 8, 184,
             10},
            {K::Static, IDC_STATIC, U("登录名"), 22, 28, 40, 8},
            {K::Edit, kLoginNameEdit, "", 70, 25, 100, 14},
            {K::Static, IDC_STATIC, U("密码"), 22, 48, 40, 8},
            {K::Edit, kPasswordEdit, "", 70, 45, 100, 14, kStylePassword},
            {K::Static, IDC_STATIC, U("重新输入"), 22, 68, 40, 8},
            {K::Edit, kRepeatEdit, "", 70, 65, 100, 14, kStylePassword},
            {K::DefButton, IDOK, U("确定(&Y)"), 40, 90, 50, 14},
            {K::Button, IDCANCEL, U("退出(&X)"), 110, 90, 50, 14},
        },
    };
    return dialog;
}

} // namespace res
