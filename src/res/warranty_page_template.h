#pragma once
// Dialog 291 "三包零件": the warranty parts page of the lower pane.
#include "res/dialog_template.h"

namespace res {

namespace warranty_page {
enum : int {
    kDialogId = 291,
    kGrid = 1002,
    kCustomerCombo = 1016,
    kBrandCombo = 1017,
    kFromEdit = 10001,
    kToEdit = 10002,
    kFuzzyButton = 1009,
    kQueryButton = 1035,
    kNotSentOutButton = 1010,
    kNotReissuedButton = 1036,
    kNewButton = 1022,
    kModifyButton = 1117,
    kDeleteButton = 1115,
    kPrintButton = 1118,
    kSaveButton = 1007,
    kDiscardButton = 1116,
    kExitButton = 1008,
    kButtonFrame = 1021,
    kCostTotal = 1120,
    kDealTotal = 1131,
};
} // namespace warranty_page
const DialogTemplate& WarrantyPageTemplate();

} // namespace res
