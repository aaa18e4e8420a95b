#include "res/statistics_template.h"

#include "res/control_ids.h"

namespace res {

const DialogTemplate& StatisticsTemplate() {
    using namespace statistics;
    using K = ControlKind;
    static const DialogTemplate dialog{
        kDialogId,
        wxString::FromUTF8("统计"),
        420,
        262,
        {
            {K::GroupBox, kObjectGroup, wxString::FromUTF8("统计对象"), 7, 4, 124, 32},
            {K::Static, kObjectLabel, wxString::FromUTF8("车牌号码"), 11, 18, 34, 8, kStyleRight},
            {K::ComboBox, kObjectCombo, "", 48, 15, 78, 14, kStyleSorted},
            {K::GroupBox, IDC_STATIC, wxString::FromUTF8("时间范围"), 136, 4, 128, 32},
            {K::Static, IDC_STATIC, wxString::FromUTF8("从"), 140, 18, 8, 8},
            {K::Edit, kFromDateEdit, "", 149, 15, 50, 13},
            {K::Static, IDC_STATIC, wxString::FromUTF8("到"), 201, 18, 8, 8},
            {K::Edit, kToDateEdit, "", 210, 15, 50, 13},
            {K::GroupBox, IDC_STATIC, wxString::FromUTF8("报表类型"), 269, 4, 76, 32},
            {K::Radio, kSummaryRadio, wxString::FromUTF8("汇总表"), 274, 13, 66, 9, kStyleGroup},
            {K::Radio, kDetailRadio, wxString::FromUTF8("详细清单"), 274, 24, 66, 9},
            {K::DefButton, kStartButton, wxString::FromUTF8("开始统计"), 352, 12, 60, 18},
            {K::Custom, kGrid, "", 7, 40, 406, 190, kStyleNone, "GridCtrl"},
            {K::GroupBox, IDC_STATIC, "", 7, 232, 226, 26},
            {K::Button, kAddButton, wxString::FromUTF8("新增(&N)"), 12, 240, 50, 14,
             kStyleDisabled},
            {K::Button, kDeleteButton, wxString::FromUTF8("删除(&E)"), 66, 240, 50, 14,
             kStyleDisabled},
            {K::Button, kPrintButton, wxString::FromUTF8("打印(&P)"), 120, 240, 50, 14,
             kStyleDisabled},
            {K::Button, kExitButton, wxString::FromUTF8("退出(&X)"), 176, 240, 50, 14},
            {K::Static, kTotalText, "", 238, 243, 108, 10},
            {K::Button, kArchiveButton, wxString::FromUTF8("营业档案修改"), 352, 240, 60, 14,
             kStyleHidden},
        },
    };
    return dialog;
}

} // namespace res
