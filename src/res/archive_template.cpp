#include "res/archive_template.h"

#include "res/control_ids.h"

namespace res {

const DialogTemplate& ArchiveTemplate() {
    using namespace archive;
    using K = ControlKind;
    auto text = [](const char* s) { return wxString::FromUTF8(s); };
    static const DialogTemplate dialog{
        kDialogId,
        text("维修档案"),
        321,
        197,
        {
            {K::Static, kCustomerLabel, text("车牌号码"), 6, 7, 34, 8},
            {K::Edit, kCustomerEdit, "", 42, 5, 90, 12},
            {K::Button, kFuzzyButton, text("模糊查找(&L)"), 140, 4, 56, 14},
            {K::Custom, kGrid, "", 4, 22, 313, 140, kStyleNone, "GridCtrl"},
            {K::Static, IDC_STATIC, text("合计"), 6, 168, 20, 8},
            {K::Edit, kTotalEdit, "", 28, 166, 70, 12, kStyleReadOnly | kStyleRight},
            {K::Button, kNewButton, text("新增(&N)"), 6, 180, 40, 14},
            {K::Button, kDeleteButton, text("删除(&E)"), 50, 180, 40, 14},
            {K::Button, kModifyButton, text("修改(&R)"), 94, 180, 40, 14},
            {K::Button, kPrintButton, text("打印(&P)"), 138, 180, 40, 14},
            {K::Button, kSaveButton, text("存档(&S)"), 182, 180, 40, 14},
            {K::Button, IDCANCEL, text("取消(&U)"), 226, 180, 40, 14},
            {K::Button, kExitButton, text("退出(&X)"), 270, 180, 40, 14},
        },
    };
    return dialog;
}

} // namespace res
