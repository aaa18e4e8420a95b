#pragma once
// Dialog 304 "数据导入": a source file, a target table and the field pairs; dialog 312
// "数据核对": the rows to import shown for checking.
#include "res/dialog_template.h"

namespace res {

namespace data_import {
enum : int {
    kDialogId = 304,
    kSourceEdit = 10001,
    kSourceButton = 1009,
    kTargetCombo = 1016,
    kTargetButton = 1010,
    kSourceFieldCombo = 1017,
    kTargetFieldCombo = 1111,
    kAddButton = 1035,
    kMappingList = 1136,
    kClearButton = 1072,
    kDeleteButton = 1073,
};
} // namespace data_import
const DialogTemplate& DataImportTemplate();

namespace import_check {
enum : int {
    kDialogId = 312,
    kGrid = 1002,
    kDeleteButton = 1009,
};
} // namespace import_check
const DialogTemplate& ImportCheckTemplate();

} // namespace res
