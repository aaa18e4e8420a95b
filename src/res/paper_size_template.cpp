#include "res/paper_size_template.h"

#include "platform/wx_text.h"
#include "res/control_ids.h"

namespace res {

const DialogTemplate& PaperSizeTemplate() {
    using namespace paper_size;
    using K = ControlKind;
    static const DialogTemplate dialog{
        kDialogId,
        U("自定义尺寸"),
        160,
        84,
        {
            {K::Static, IDC_STATIC, U("纸长(dmm)"), 10, 12, 44, 8},
            {K::Edit, kLengthEdit, "", 58, 10, 50, 12, kStyleNumber},
            {K::Static, IDC_STATIC, U("纸宽(dmm)"), 10, 30, 44, 8},
            {K::Edit, kWidthEdit, "", 58, 28, 50, 12, kStyleNumber},
            {K::Static, IDC_STATIC, U("A4=2972dmmx2108dmm"), 10, 48, 100, 8},
            {K::DefButton, IDOK, U("确定"), 116, 10, 38, 14},
            {K::Button, IDCANCEL, U("取消"), 116, 28, 38, 14},
        },
    };
    return dialog;
}

} // namespace res
