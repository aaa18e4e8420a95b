#pragma once
// Dialog 232 "退货": the returns page of the lower pane.
#include "res/dialog_template.h"

namespace res {

namespace returns_page {
enum : int {
    kDialogId = 232,
    kGrid = 1002,
    kChoiceCombo = 1016,
    kChoiceLabel = 1131,
    kTakeBackRadio = 1107,
    kReissueRadio = 1109,
    kSpareButton = 1012,
    kReturnListButton = 1009,
    kPendingButton = 1035,
    kToStockButton = 1036,
    kNewButton = 1022,
    kModifyButton = 1117,
    kDeleteButton = 1115,
    kSaveButton = 1007,
    kCancelButton = 1116,
    kExitButton = 1008,
    kPrintButton = 1118,
    kButtonFrame = 1021,
    kTotalEdit = 1037,
};
} // namespace returns_page
const DialogTemplate& ReturnsPageTemplate();

} // namespace res
