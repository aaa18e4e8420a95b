#pragma once
// Dialog 180 "模糊查找": the search form of the list dialogs.
#include "res/dialog_template.h"

namespace res {

namespace fuzzy_search {
enum : int {
    kDialogId = 180,
    kField1 = 1016,
    kCompare1 = 1111,
    kValue1 = 10001,
    kAndRadio = 1108,  // "并且"
    kOrRadio = 1109,   // "或者"
    kDateCheck = 1148, // "时间"
    kStartDate = 10002,
    kEndDate = 10003,
    kField2 = 1017,
    kCompare2 = 1112,
    kValue2 = 10007,
    kAllButton = 1035,    // "全部(&A)"
    kSearchButton = 1009, // "搜索(&S)"
};
} // namespace fuzzy_search
const DialogTemplate& FuzzySearchTemplate();

} // namespace res
