#include "res/maintenance_due_template.h"

namespace res {

const DialogTemplate& MaintenanceDueTemplate() {
    using namespace maintenance_due;
    using K = ControlKind;
    static const DialogTemplate dialog{
        kDialogId,
        wxString::FromUTF8("保养查询"),
        270,
        117,
        {
            {K::ListView, kList, "", 1, 1, 223, 112},
            {K::DefButton, IDOK, wxString::FromUTF8("全选(&A)"), 226, 2, 43, 14},
            {K::Button, kDispatchOne, wxString::FromUTF8("单选(&D)"), 226, 18, 42, 14},
            {K::Button, kAssign, wxString::FromUTF8("派工(&P)"), 226, 45, 43, 14, kStyleDisabled},
            {K::Button, kSimplify, wxString::FromUTF8("简捷(&E)"), 226, 61, 43, 14},
            {K::Button, kMark, wxString::FromUTF8("标记(&S)"), 226, 77, 43, 14, kStyleDisabled},
            {K::Button, IDCANCEL, wxString::FromUTF8("退出(&X)"), 226, 98, 44, 14},
        },
    };
    return dialog;
}

} // namespace res
