#include "res/data_export_template.h"

#include "res/control_ids.h"

namespace res {

const DialogTemplate& DataExportTemplate() {
    using namespace data_export;
    using K = ControlKind;
    static const DialogTemplate dialog{
        kDialogId,
        wxString::FromUTF8("数据导出"),
        191,
        80,
        {
            {K::Static, IDC_STATIC, wxString::FromUTF8("数据库"), 10, 10, 26, 8},
            {K::DropList, kTableCombo, "", 38, 8, 86, 14},
            {K::GroupBox, IDC_STATIC, wxString::FromUTF8("时间范围"), 7, 26, 118, 30},
            {K::Static, IDC_STATIC, wxString::FromUTF8("从"), 11, 40, 9, 8},
            {K::Edit, kFromDateEdit, "", 20, 38, 46, 12},
            {K::Static, IDC_STATIC, wxString::FromUTF8("至"), 67, 40, 9, 8},
            {K::Edit, kToDateEdit, "", 76, 38, 46, 12},
            {K::CheckBox, kDeleteCheck, wxString::FromUTF8("删除导出数据"), 10, 62, 80, 10},
            {K::DefButton, IDOK, wxString::FromUTF8("开始导出"), 134, 8, 50, 14},
            {K::Button, IDCANCEL, wxString::FromUTF8("退出"), 134, 26, 50, 14},
        },
    };
    return dialog;
}

} // namespace res
