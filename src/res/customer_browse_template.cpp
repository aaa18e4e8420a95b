#include "res/customer_browse_template.h"

#include "res/control_ids.h"

namespace res {

const DialogTemplate& CustomerBrowseTemplate() {
    using namespace customer_browse;
    using K = ControlKind;
    static const DialogTemplate dialog{
        kDialogId,
        wxString::FromUTF8("顾客资料浏览"),
        352,
        202,
        {
            {K::Custom, kGrid, "", 4, 4, 344, 172, kStyleNone, "GridCtrl"},
            {K::Button, kFuzzyButton, wxString::FromUTF8("模糊查找(&L)"), 40, 182, 56, 14},
            {K::Button, kBlankColumnsButton, wxString::FromUTF8("删除空白列(&E)"), 102, 182, 60,
             14},
            {K::Button, kColumnButton, wxString::FromUTF8("删除当前列(&D)"), 168, 182, 60, 14},
            {K::Button, kPrintButton, wxString::FromUTF8("打印(&P)"), 234, 182, 44, 14},
            {K::Button, IDOK, wxString::FromUTF8("退出(&X)"), 284, 182, 44, 14},
        },
    };
    return dialog;
}

} // namespace res
