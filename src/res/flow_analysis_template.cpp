#include "res/flow_analysis_template.h"

#include "res/control_ids.h"

namespace res {

const DialogTemplate& FlowAnalysisTemplate() {
    using namespace flow_analysis;
    using K = ControlKind;
    static const DialogTemplate dialog{
        kDialogId,
        wxString::FromUTF8("流量分析"),
        322,
        178,
        {
            {K::GroupBox, IDC_STATIC, wxString::FromUTF8("时间范围"), 7, 2, 117, 32},
            {K::Static, IDC_STATIC, wxString::FromUTF8("从"), 11, 16, 8, 8},
            {K::Edit, kFromDateEdit, "", 20, 13, 43, 14},
            {K::Static, IDC_STATIC, wxString::FromUTF8("到"), 66, 16, 8, 8},
            {K::Edit, kToDateEdit, "", 77, 13, 43, 14},
            {K::GroupBox, IDC_STATIC, wxString::FromUTF8("分析参数"), 129, 2, 185, 32},
            {K::Edit, kSlowEdit, "", 137, 14, 16, 14, kStyleNumber},
            {K::Static, IDC_STATIC, wxString::FromUTF8("(%)为滞销"), 156, 17, 40, 8},
            {K::Edit, kBestEdit, "", 201, 14, 17, 14, kStyleNumber},
            {K::Static, IDC_STATIC, wxString::FromUTF8("(%)以上畅销"), 222, 16, 44, 8},
            {K::Radio, kQuantityRadio, wxString::FromUTF8("按总数量"), 268, 12, 43, 8, kStyleGroup},
            {K::Radio, kAmountRadio, wxString::FromUTF8("按总金额"), 268, 21, 44, 8},
            {K::Custom, kGrid, "", 3, 40, 316, 113, kStyleNone, "GridCtrl"},
            {K::Button, kSeasonButton, wxString::FromUTF8("季节曲线(&J)"), 25, 158, 50, 14,
             kStyleDisabled},
            {K::Button, kPrintButton, wxString::FromUTF8("打印(&P)"), 81, 158, 50, 14},
            {K::Button, kSlowButton, wxString::FromUTF8("滞销零件(&Z)"), 137, 158, 50, 14},
            {K::Button, kBestButton, wxString::FromUTF8("畅销零件(&C)"), 193, 158, 50, 14},
            {K::Button, IDCANCEL, wxString::FromUTF8("退出(&X)"), 266, 158, 50, 14},
        },
    };
    return dialog;
}

const DialogTemplate& CustomerAlertTemplate() {
    using namespace customer_alert;
    using K = ControlKind;
    static const DialogTemplate dialog{
        kDialogId,
        wxString::FromUTF8("客户预警"),
        363,
        195,
        {
            {K::Static, IDC_STATIC, wxString::FromUTF8("已间隔天数从"), 7, 9, 50, 8},
            {K::Edit, kFromDaysEdit, "", 58, 6, 30, 13, kStyleNumber},
            {K::Static, IDC_STATIC, wxString::FromUTF8("到"), 91, 9, 10, 8},
            {K::Edit, kToDaysEdit, "", 102, 6, 30, 13, kStyleNumber},
            {K::Static, IDC_STATIC, wxString::FromUTF8("(天)"), 135, 9, 16, 8},
            {K::Radio, kRepairRadio, wxString::FromUTF8("维修客户"), 160, 8, 48, 10, kStyleGroup},
            {K::Radio, kPartsRadio, wxString::FromUTF8("配件客户"), 212, 8, 48, 10},
            {K::DefButton, kStartButton, wxString::FromUTF8("开始统计(&T)"), 290, 5, 66, 15},
            {K::Custom, kListGrid, "", 7, 25, 236, 146, kStyleNone, "GridCtrl"},
            {K::Custom, kLineGrid, "", 247, 25, 109, 146, kStyleNone, "GridCtrl"},
            {K::Button, kDeleteButton, wxString::FromUTF8("删除(&E)"), 150, 176, 50, 14},
            {K::Button, kPrintButton, wxString::FromUTF8("打印(&P)"), 206, 176, 50, 14},
            {K::Button, IDCANCEL, wxString::FromUTF8("退出(&X)"), 306, 176, 50, 14},
        },
    };
    return dialog;
}

} // namespace res
