#pragma once
// Dialog 155: the vehicle and customer picker over the work sheet.
#include "res/dialog_template.h"

namespace res {

namespace vehicle_pick {
enum : int {
    kDialogId = 155,
    kCustomerCombo = 1032,
    kAllButton = 1009, // "全部"
};
} // namespace vehicle_pick
const DialogTemplate& VehiclePickTemplate();

} // namespace res
