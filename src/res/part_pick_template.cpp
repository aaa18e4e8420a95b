#include "res/part_pick_template.h"

namespace res {

const DialogTemplate& PartPickTemplate() {
    using namespace part_pick;
    static const DialogTemplate dialog{
        kDialogId,
        wxString::FromUTF8("选择零件"),
        200,
        99,
        {
            {ControlKind::ListView, kList, "", 0, 3, 200, 95},
        },
    };
    return dialog;
}

} // namespace res
