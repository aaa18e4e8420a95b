#pragma once
// Dialog 161 "维修档案": the settled lines of one customer in the business archive.
#include "res/dialog_template.h"

namespace res {

namespace archive {
enum : int {
    kDialogId = 161,
    kCustomerLabel = 1120, // 车牌号码, or 单位 for sales
    kCustomerEdit = 1102,
    kGrid = 1002,
    kTotalEdit = 1036,
    kNewButton = 1009,
    kDeleteButton = 1072,
    kModifyButton = 1074,
    kPrintButton = 1073,
    kSaveButton = 1076,
    kExitButton = 1078,
    kFuzzyButton = 1110,
};
} // namespace archive
const DialogTemplate& ArchiveTemplate();

} // namespace res
