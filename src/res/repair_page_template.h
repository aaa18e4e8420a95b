#pragma once
// Dialog 142: the repair work card page of the repair sheet.
#include "res/control_ids.h"
#include "res/dialog_template.h"
#include "res/line_page_template.h"

namespace res {

namespace repair_page {
using namespace line_page;
enum : int {
    kDialogId = 142,
    kVehicleTypeEdit = 10001, // header 项目名称
    kColourEdit = 10002,      // header 编号
    kOwnerEdit = 10003,       // header 作业人员
    kFeaturesEdit = 10004,    // header 备注
    kMileageEdit = 10005,     // header 小计
    kReceivedEdit = 10006,    // header 厂牌
    kNoteEdit = 10007,
    kPartsDiscountEdit = 10011,
    kLabourDiscountEdit = 10012,
    kPartsDiscountSpin = 10064,
    kLabourDiscountSpin = 10065,
    kLastPriceCheck = 1148,
    kMaintenanceButton = 1028,
    kServiceButton = 1035,
};
} // namespace repair_page
const DialogTemplate& RepairPageTemplate();

} // namespace res
