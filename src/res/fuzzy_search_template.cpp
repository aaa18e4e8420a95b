#include "res/fuzzy_search_template.h"

#include "platform/wx_text.h"
#include "res/control_ids.h"

namespace res {

const DialogTemplate& FuzzySearchTemplate() {
    using namespace fuzzy_search;
    using K = ControlKind;
    // Drop-down lists are given their closed height; they open as long as they need.
    static const DialogTemplate dialog{
        kDialogId,
        U("模糊查找"),
        248,
        121,
        {
            {K::Static, IDC_STATIC, U("字段名"), 2, 14, 22, 8},
            {K::DropList, kField1, "", 25, 12, 48, 14},
            {K::Static, IDC_STATIC, U("比较方式"), 76, 14, 31, 8},
            {K::DropList, kCompare1, "", 108, 12, 53, 14},
            {K::Static, IDC_STATIC, U("查找值"), 163, 14, 25, 8},
            {K::Edit, kValue1, "", 189, 12, 56, 14},
            {K::GroupBox, IDC_STATIC, U("两条件间关系"), 6, 31, 80, 28},
            {K::Radio, kAndRadio, U("并且"), 12, 43, 32, 10, kStyleGroup},
            {K::Radio, kOrRadio, U("或者"), 48, 43, 32, 10},
            {K::GroupBox, IDC_STATIC, U("时间范围"), 88, 31, 156, 28},
            // A little wider than its resource: the toolkit needs the room for box and label.
            {K::CheckBox, kDateCheck, U("时间"), 93, 44, 34, 10},
            {K::Edit, kStartDate, "", 129, 42, 49, 14, kStyleDisabled},
            {K::Static, IDC_STATIC, U("至"), 180, 44, 8, 8},
            {K::Edit, kEndDate, "", 189, 42, 51, 14, kStyleDisabled},
            {K::Static, IDC_STATIC, U("字段名"), 2, 73, 22, 8},
            {K::DropList, kField2, "", 25, 71, 48, 14},
            {K::Static, IDC_STATIC, U("比较方式"), 76, 73, 31, 8},
            {K::DropList, kCompare2, "", 108, 70, 54, 14},
            {K::Static, IDC_STATIC, U("查找值"), 163, 73, 25, 8},
            {K::Edit, kValue2, "", 189, 70, 56, 14},
            {K::Button, kAllButton, U("全部(&A)"), 43, 93, 50, 14},
            {K::Button, kSearchButton, U("搜索(&S)"), 99, 93, 50, 14},
            {K::Button, IDCANCEL, U("取消(&X)"), 155, 93, 50, 14},
        },
    };
    return dialog;
}

} // namespace res
