#pragma once
// Dialog 142: the repair work card page of the repair sheet.
#include "res/control_ids.h"
#include "res/dialog_template.h"

namespace res {

namespace repair_page {
enum : int {
    kDialogId = 142,
    kGrid = 1002,
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
    kWorkerCombo = 1016,
    kLastPriceCheck = 1148,
    kButtonFrame = 1021,
    kSettleButton = 1007,
    kCloseButton = 1008,
    kDeleteButton = 1009,
    kNewButton = 1022,
    kSuspendButton = 1023,
    kPrintButton = 1024,
    kAbandonButton = 1025,
    kCustomerButton = 1026,
    kArchiveButton = 1027,
    kMaintenanceButton = 1028,
    kServiceButton = 1035,
    kTotalEdit = 1036,
};
} // namespace repair_page
const DialogTemplate& RepairPageTemplate();

} // namespace res
