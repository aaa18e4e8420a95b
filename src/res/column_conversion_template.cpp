#include "res/column_conversion_template.h"

#include "res/control_ids.h"

namespace res {

const DialogTemplate& ColumnConversionTemplate() {
    using namespace column_conversion;
    using K = ControlKind;
    static const DialogTemplate dialog{
        kDialogId,
        wxString::FromUTF8("列转换"),
        187,
        84,
        {
            {K::Static, IDC_STATIC, wxString::FromUTF8("把列"), 14, 14, 24, 8},
            {K::DropList, kColumnCombo, "", 42, 12, 130, 14},
            {K::Static, kReplaceLabel, wxString::FromUTF8("替换成"), 14, 36, 26, 8},
            {K::Edit, kExpressionEdit, "", 42, 34, 130, 14},
            {K::DefButton, IDOK, wxString::FromUTF8("确定(&Y)"), 36, 62, 50, 14},
            {K::Button, IDCANCEL, wxString::FromUTF8("取消(&U)"), 100, 62, 50, 14},
        },
    };
    return dialog;
}

} // namespace res
