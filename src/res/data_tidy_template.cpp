#include "res/data_tidy_template.h"

#include "res/control_ids.h"

namespace res {

const DialogTemplate& DataTidyTemplate() {
    using namespace data_tidy;
    using K = ControlKind;
    static const DialogTemplate dialog{
        kDialogId,
        wxString::FromUTF8("数据整理"),
        191,
        80,
        {
            {K::GroupBox, IDC_STATIC, wxString::FromUTF8("数据库选择"), 7, 4, 118, 30},
            {K::Static, IDC_STATIC, wxString::FromUTF8("数据库"), 12, 17, 26, 8},
            {K::DropList, kTableCombo, "", 40, 15, 50, 14},
            {K::CheckBox, kAllCheck, wxString::FromUTF8("全部"), 94, 16, 28, 10},
            {K::GroupBox, IDC_STATIC, wxString::FromUTF8("时间范围"), 7, 38, 118, 36},
            {K::Static, IDC_STATIC, wxString::FromUTF8("从"), 11, 52, 9, 8},
            {K::Edit, kFromDateEdit, "", 20, 50, 46, 12},
            {K::Static, IDC_STATIC, wxString::FromUTF8("至"), 67, 52, 9, 8},
            {K::Edit, kToDateEdit, "", 76, 50, 46, 12},
            {K::DefButton, IDOK, wxString::FromUTF8("整理(&Z)"), 134, 7, 50, 14},
            {K::Button, kDeleteButton, wxString::FromUTF8("删除(&Q)"), 134, 24, 50, 14},
            {K::Button, kRepairButton, wxString::FromUTF8("修复(&R)"), 134, 41, 50, 14},
            {K::Button, IDCANCEL, wxString::FromUTF8("退出(&X)"), 134, 58, 50, 14},
        },
    };
    return dialog;
}

} // namespace res
