#include "res/record_nav_template.h"

namespace res {

const DialogTemplate& RecordNavTemplate() {
    using namespace record_nav;
    using K = ControlKind;
    // The field list is given its closed height; it opens as long as it needs.
    static const DialogTemplate dialog{
        kDialogId,
        wxString::FromUTF8("记录导航条"),
        208,
        13,
        {
            {K::Button, kFirstButton, wxString::FromUTF8("记录首"), 0, 1, 28, 10},
            {K::Button, kPreviousButton, wxString::FromUTF8("上一条"), 28, 1, 28, 10},
            {K::Button, kNextButton, wxString::FromUTF8("下一条"), 56, 1, 28, 10},
            {K::Button, kLastButton, wxString::FromUTF8("记录尾"), 84, 1, 28, 10},
            {K::DropList, kFieldList, "", 114, 0, 48, 12},
            {K::Edit, kValueEdit, "", 163, 0, 40, 12},
        },
    };
    return dialog;
}

} // namespace res
