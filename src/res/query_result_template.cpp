#include "res/query_result_template.h"

#include "res/control_ids.h"

namespace res {

const DialogTemplate& QueryResultTemplate() {
    using namespace query_result;
    using K = ControlKind;
    static const DialogTemplate dialog{
        kDialogId,
        wxString::FromUTF8("查询结果"),
        287,
        157,
        {
            {K::Custom, kGrid, "", 4, 4, 230, 149, kStyleNone, "GridCtrl"},
            {K::Button, kPrintButton, wxString::FromUTF8("打印(&P)"), 238, 6, 45, 14},
            {K::Button, kOrderButton, wxString::FromUTF8("定货(&D)"), 238, 24, 45, 14,
             kStyleHidden},
            {K::Button, kBriefButton, wxString::FromUTF8("简捷(&J)"), 238, 42, 45, 14},
            {K::Button, kMarkButton, wxString::FromUTF8("标记(&B)"), 238, 60, 45, 14},
            {K::Button, kMarkAllButton, wxString::FromUTF8("全部(&T)"), 238, 78, 45, 14},
            {K::Button, kPendingButton, wxString::FromUTF8("待处理"), 238, 96, 45, 14},
            {K::Button, IDCANCEL, wxString::FromUTF8("退出(&X)"), 238, 137, 45, 14},
        },
    };
    return dialog;
}

const DialogTemplate& ReminderTemplate() {
    static const DialogTemplate dialog{
        reminder::kDialogId, wxString::FromUTF8("提示项目"), 41, 186, {}};
    return dialog;
}

} // namespace res
