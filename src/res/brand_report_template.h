#pragma once
// Dialog 193 "vu服务报表(套打)": the brand's monthly service report, typed and computed,
// printed onto the brand's pre-printed form.
#include "res/dialog_template.h"

namespace res {

namespace brand_report {
enum : int {
    kDialogId = 193,
    kCommentEdit = 10001,
    kFirstStaffEdit = 10002,  // 10002..10009
    kFirstSalesEdit = 10010,  // 10010..10033: codes, brands, counts of 8 rows
    kFirstRepairEdit = 10034, // 10034..10069: codes, brands, counts of 12 rows
    kLastTypedEdit = 10069,
    kFromEdit = 10070,
    kToEdit = 10071,
    kKeepRowsEdit = 10072,
    kGrid = 1002,
    kStatisticsButton = 1072,
    kDeleteButton = 1035,
    kPrintButton = 1009,
    // IDOK: 退出
};
} // namespace brand_report
const DialogTemplate& BrandReportTemplate();

} // namespace res
