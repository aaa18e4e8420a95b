#pragma once
// Dialog 295 "维修单打印": the repair-order forms filled and printed.
#include "res/dialog_template.h"

namespace res {

namespace repair_print {
enum : int {
    kDialogId = 295,
    kPrintButton = 1, // "打印(&P)"
    kExitButton = 2,  // "退出(&X)"
    kPreviewButton = 1009,
    kTableSetupButton = 1035,
    kChiefCombo = 1016,
    kDateOutLabel = 1012,
    kBriefRadio = 1107,
    kPreRepairRadio = 1108,
    kRepairOrderRadio = 1109,
    kSalesTicketRadio = 1112,
    kDispatchRadio = 1147,
    kFaultCheck = 1148,
    kTermsCheck = 1149,
    kRemarkCheck = 1150,
    kRow1Check = 1151, // 1151 to 1154, one per head row
    kHintsCheck = 1174,
    kTitleEdit = 10001,
    kPlateEdit = 10002,
    kModelEdit = 10003,
    kDateInEdit = 10004,
    kDateOutEdit = 10005,
    kBroughtByEdit = 10006,
    kPhoneEdit = 10007,
    kIdCardEdit = 10008,
    kColourEdit = 10009,
    kMileageEdit = 10010,
    kEngineNoEdit = 10011,
    kWorkUnitEdit = 10012,
    kChassisNoEdit = 10013,
    kFaultEdit = 10014,
    kTermsEdit = 10015,
    kRemarkEdit = 10016,
};
} // namespace repair_print
const DialogTemplate& RepairPrintTemplate();

} // namespace res
