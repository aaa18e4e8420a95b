#include "res/item_pick_template.h"

namespace res {

const DialogTemplate& ItemPickTemplate() {
    using namespace item_pick;
    static const DialogTemplate dialog{
        kDialogId,
        wxString::FromUTF8("项目选择"),
        69,
        104,
        {
            {ControlKind::ListView, kList, "", 0, 0, 69, 103},
        },
    };
    return dialog;
}

} // namespace res
