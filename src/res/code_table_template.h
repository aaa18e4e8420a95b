#pragma once
// Dialog 183 "项目维护": the code-table page of the lower pane.
#include "res/dialog_template.h"

namespace res {

namespace code_table {
enum : int {
    kDialogId = 183,
    kFilterLabel = 1012,
    kFilterCombo = 1016,
    kFuzzyButton = 1009,
    kPositionLabel = 10046,
    kPositionCombo = 1111,
    kStoreLabel = 10045,
    kStoreCombo = 1017,
    kModelCheck = 1148,
    kNameEdit = 10001,
    kCodeEdit = 10002,
    kShortCodeEdit = 10003,
    kHeading = 10061,
    kPartDiscountLabel = 1120,
    kPartDiscountEdit = 10011,
    kPartDiscountSpin = 10064,
    kServiceDiscountLabel = 1131,
    kServiceDiscountEdit = 10012,
    kServiceDiscountSpin = 10065,
    kCostTotal = 10047,
    kWholesaleTotal = 10048,
    kRetailTotal = 10049,
    kShortCodesButton = 1035,
    kGrid = 1002,
    kNewButton = 1022,
    kEditButton = 1117,
    kDeleteButton = 1115,
    kPrintButton = 1118,
    kSaveButton = 1007,
    kCancelButton = 1116,
    kExitButton = 1008,
    kButtonFrame = 1021,
};
} // namespace code_table
const DialogTemplate& CodeTableTemplate();

} // namespace res
