#include "res/vehicle_pick_template.h"

namespace res {

const DialogTemplate& VehiclePickTemplate() {
    using namespace vehicle_pick;
    using K = ControlKind;
    static const DialogTemplate dialog{
        kDialogId,
        "",
        94,
        16,
        {
            {K::ComboBox, kCustomerCombo, "", 1, 1, 70, 67, kStyleSorted},
            {K::Button, kAllButton, wxString::FromUTF8("全部"), 72, 1, 20, 12},
        },
    };
    return dialog;
}

} // namespace res
