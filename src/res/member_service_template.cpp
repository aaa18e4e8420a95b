#include "res/member_service_template.h"

#include "res/control_ids.h"

namespace res {

const DialogTemplate& MemberServiceTemplate() {
    using namespace member_service;
    using K = ControlKind;
    static const DialogTemplate dialog{
        kDialogId,
        wxString::FromUTF8("会员保养情况"),
        225,
        100,
        {
            {K::Static, kHeader, "", 8, 4, 209, 8},
            {K::DefButton, IDOK, wxString::FromUTF8("确定(&Y)"), 87, 82, 50, 14},
        },
    };
    return dialog;
}

} // namespace res
