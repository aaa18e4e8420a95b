#pragma once
// The back office's partner and money dialogs: the partner card (194 "往来单位"),
// the partner ledger (195 "帐目") and the cash journal (307 "现金收支流水帐").
#include "res/dialog_template.h"

namespace res {

namespace partner_card {
enum : int {
    kDialogId = 194,
    kNameEdit = 10001,      // 单位
    kAddressEdit = 10016,   // 地址
    kHeadEdit = 10002,      // 负责人
    kHeadPhoneEdit = 10003, // 负责人电话
    kHeadMobileEdit = 10004,
    kContactEdit = 10005,
    kContactPhoneEdit = 10006,
    kContactMobileEdit = 10007,
    kFaxEdit = 10008,
    kSparePhoneEdit = 10009,
    kBankEdit = 10010,
    kAccountEdit = 10011,
    kBalanceEdit = 10012, // 帐面余额, never edited
    kTaxEdit = 10013,
    kOtherEdit = 10014,
    kRemarkEdit = 10015,
    kAreaEdit = 10017,
    kNumberEdit = 10018,
    kDiscountEdit = 10019,
    kDiscountSpin = 10064,
    kLevel1Radio = 10020,
    kLevel2Radio = 10021,
    kLevel3Radio = 10022,
    kNoLevelRadio = 10023, // hidden: set when no level is
    kNewButton = 1009,
    kModifyButton = 1035,
    kDeleteButton = 1072,
    kPrintButton = 1073,
    kBrowseButton = 1074,
    kSaveButton = 1076,
    kCancelButton = 1077,
    kExitButton = 1078,
    kArchiveButton = 1086, // 进货档案
    kLedgerButton = 1087,  // 往来帐目
};
} // namespace partner_card
const DialogTemplate& PartnerCardTemplate();

namespace ledger {
enum : int {
    kDialogId = 195,
    kAreaCombo = 103,
    kNumberCombo = 104,
    kNameCombo = 105,
    kBalanceEdit = 10006,
    kAmountEdit = 10001,
    kDateEdit = 10002,
    kRemarkEdit = 10005,
    kReceivableRadio = 1107,
    kPayableRadio = 1108,
    kAdvanceRadio = 1109,
    kPrepaidRadio = 1112,
    kNoCategoryRadio = 1190, // hidden: set when no category is
    kReceivableSum = 1120,
    kPayableSum = 1012,
    kAdvanceSum = 1021,
    kPrepaidSum = 1131,
    kPartsRadio = 1147,
    kRepairRadio = 1148,
    kVehicleRadio = 1149,
    kOtherRadio = 1150,
    kNoSourceRadio = 1191, // hidden: set when no source is
    kNewButton = 1075,
    kBookButton = 1076,
    kOffsetButton = 1077,
    kCancelButton = 1111,
    kDocPrintButton = 1073,
    kExitButton = 1078,
    kFilterCombo = 1143,
    kFindButton = 1110,
    kPrintButton = 1074,
    kDeleteButton = 1009,
    kClearButton = 1035,
    kRelatedPrintButton = 1079,
    kHistoryGrid = 1002,
    kRelatedGrid = 1178,
};
} // namespace ledger
const DialogTemplate& LedgerTemplate();

namespace cash_journal {
enum : int {
    kDialogId = 307,
    kFixedAssetsHelp = 306,
    kFromEdit = 10001,
    kToEdit = 10002,
    kQueryButton = 1035,
    kFindButton = 1110,
    kCostLabel = 1131, // "原值", or "经手" in the cash journal
    kHandlerCombo = 1016,
    kCostEdit = 10003,
    kTotalLabel = 1120,
    kTotalEdit = 1036,
    kGrid = 1002,
    kAddButton = 1009,
    kDeleteButton = 1072,
    kEditButton = 1074,
    kPrintButton = 1073,
    kSaveButton = 1076,
    kCancelButton = IDCANCEL,
    kExitButton = 1078,
};
} // namespace cash_journal
const DialogTemplate& CashJournalTemplate();

} // namespace res
