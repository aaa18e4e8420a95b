#pragma once
// Dialog 185: the order, stock-in and transfer page; dialog 294: the bin allocation;
// dialog 309: split and assemble; dialog 299: the transfer and returned-out records.
#include "res/control_ids.h"
#include "res/dialog_template.h"

namespace res {

namespace order_page {
enum : int {
    kDialogId = 185,
    kNewButton = 1022,
    kModifyButton = 1117,
    kDeleteButton = 1115,
    kPrintButton = 1118,
    kSaveButton = 1007,
    kCancelButton = 1116,
    kExitButton = 1008,
    kButtonFrame = 1021,
    kGrid = 1002,
    kNumberLabel = 1131,
    kNumberCombo = 1016,
    kLockButton = 1009,
    kCurrentLabel = 1120,
    kCurrentEdit = 10001,
    kContractLabel = 1012,
    kContractEdit = 10002,
    kPriceListButton = 1035,
    kRatioButton = 10024,
    kLowestButton = 1072,
    kCompareButton = 1073,
    kSupplierCombo = 1017,
    kSupplierButton = 1074,
    kTransferOutRadio = 1107,
    kInStoreRadio = 1108,
    kTotalLabel = 10071,
    kTotalEdit = 1036,
};
} // namespace order_page
const DialogTemplate& OrderPageTemplate();

namespace bin_alloc {
enum : int { kDialogId = 294, kStoreCombo = 1016, kGrid = 1002 };
} // namespace bin_alloc
const DialogTemplate& BinAllocTemplate();

namespace split_assemble {
enum : int {
    kDialogId = 309,
    kModelCombo = 1016,
    kFuzzyButton = 1110,
    kGrid = 1002,
    kQuantityEdit = 10011,
    kQuantitySpin = 10064,
    kAssembleButton = 1009,
};
} // namespace split_assemble
const DialogTemplate& SplitAssembleTemplate();

namespace transfer_records {
enum : int {
    kDialogId = 299,
    kSaveButton = IDOK,
    kCancelButton = IDCANCEL,
    kFilterLabel = 1120,
    kFilterCombo = 1016,
    kFromEdit = 10001,
    kToEdit = 10002,
    kGrid = 1002,
    kModifyButton = 1074,
    kDeleteButton = 1072,
    kExitButton = 1078,
    kPrintButton = 1073,
    kFindButton = 1110,
    kTotalStatic = 1131,
};
} // namespace transfer_records
const DialogTemplate& TransferRecordsTemplate();

} // namespace res
