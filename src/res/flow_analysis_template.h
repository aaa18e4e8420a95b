#pragma once
// Dialog 290 "流量分析": parts sold over a range against their stock.
#include "res/dialog_template.h"

namespace res {

namespace flow_analysis {
enum : int {
    kDialogId = 290,
    kGrid = 1002,
    kFromDateEdit = 10001,
    kToDateEdit = 10002,
    kSlowEdit = 10003,     // bl1, "(%)为滞销"
    kBestEdit = 10004,     // bl2, "(%)以上畅销"
    kQuantityRadio = 1107, // "按总数量"
    kAmountRadio = 1108,   // "按总金额"
    kSeasonButton = 1012,  // "季节曲线(&J)", disabled
    kPrintButton = 1011,   // "打印(&P)"
    kSlowButton = 1010,    // "滞销零件(&Z)"
    kBestButton = 1009,    // "畅销零件(&C)"
};
} // namespace flow_analysis
const DialogTemplate& FlowAnalysisTemplate();

// Dialog 297 "客户预警": customers who have not come back for a number of days.
namespace customer_alert {
enum : int {
    kDialogId = 297,
    kListGrid = 1002,
    kLineGrid = 1178,
    kFromDaysEdit = 10001,
    kToDaysEdit = 10002,
    kRepairRadio = 1107, // "维修客户"
    kPartsRadio = 1108,  // "配件客户"
    kStartButton = 1009, // "开始统计(&T)"
    kDeleteButton = 1072,
    kPrintButton = 1035,
};
} // namespace customer_alert
const DialogTemplate& CustomerAlertTemplate();

} // namespace res
