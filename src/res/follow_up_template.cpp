#include "res/follow_up_template.h"

namespace res {

const DialogTemplate& FollowUpTemplate() {
    using namespace follow_up;
    using K = ControlKind;
    auto text = [](const char* s) { return wxString::FromUTF8(s); };
    static const DialogTemplate dialog{
        kDialogId,
        text("跟踪服务"),
        308,
        196,
        {
            {K::GroupBox, IDC_STATIC, text("范围"), 4, 2, 300, 46},
            {K::Static, IDC_STATIC, text("时间段从"), 10, 15, 34, 8},
            {K::Edit, kFromEdit, "", 46, 13, 56, 12},
            {K::Static, IDC_STATIC, text("至"), 106, 15, 10, 8},
            {K::Edit, kToEdit, "", 118, 13, 56, 12},
            {K::Static, IDC_STATIC, text("价格段从"), 10, 31, 34, 8},
            {K::Edit, kLowPriceEdit, "", 46, 29, 56, 12},
            {K::Static, IDC_STATIC, text("至"), 106, 31, 10, 8},
            {K::Edit, kHighPriceEdit, "", 118, 29, 56, 12},
            {K::Static, IDC_STATIC, text("项目"), 180, 15, 18, 8},
            {K::Edit, kItemsEdit, "", 200, 11, 100, 32, kStyleMultiline},
            {K::Custom, kGrid, "", 4, 52, 300, 118, kStyleNone, "GridCtrl"},
            {K::Static, IDC_STATIC, text("跟踪"), 6, 179, 20, 8},
            {K::Button, kShowButton, text("显示(&V)"), 90, 176, 46, 14},
            {K::Button, kDeleteButton, text("删除(&E)"), 142, 176, 46, 14},
            {K::DefButton, IDOK, text("打印(&P)"), 194, 176, 46, 14},
            {K::Button, IDCANCEL, text("退出(&X)"), 246, 176, 46, 14},
        },
    };
    return dialog;
}

} // namespace res
