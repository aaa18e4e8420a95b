#include "res/repair_page_template.h"

namespace res {

// The header runs along the top; the grid, the button column, the total and the note
// are placed by the page itself to fill the lower pane.
const DialogTemplate& RepairPageTemplate() {
    using namespace repair_page;
    using K = ControlKind;
    const auto u = [](const char* text) { return wxString::FromUTF8(text); };
    static const DialogTemplate dialog = [&u] {
        DialogTemplate d{
            kDialogId,
            u("维修作业卡"),
            560,
            240,
            {
                {K::Custom, kGrid, "", 7, 18, 440, 170, kStyleNone, "GridCtrl"},
                {K::Edit, kVehicleTypeEdit, "", 2, 2, 46, 12, kStyleDisabled | kStyleReadOnly},
                {K::Edit, kColourEdit, "", 50, 2, 26, 12, kStyleDisabled | kStyleReadOnly},
                {K::Static, IDC_STATIC, u("车主"), 79, 4, 16, 9},
                {K::Edit, kOwnerEdit, "", 96, 2, 36, 12, kStyleDisabled | kStyleReadOnly},
                {K::Edit, kFeaturesEdit, "", 134, 2, 40, 12, kStyleDisabled | kStyleReadOnly},
                {K::Static, IDC_STATIC, u("接车"), 177, 4, 16, 9},
                {K::Edit, kReceivedEdit, "", 194, 2, 44, 12, kStyleDisabled | kStyleReadOnly},
                {K::Static, IDC_STATIC, u("里程"), 241, 4, 16, 9},
                {K::Edit, kMileageEdit, "", 258, 2, 30, 12},
                {K::Static, IDC_STATIC, u("维修"), 291, 4, 16, 9},
                {K::ComboBox, kStaffCombo, "", 308, 2, 40, 12, kStyleSorted},
                {K::Static, IDC_STATIC, u("零件折"), 351, 4, 24, 9},
                {K::Edit, kPartsDiscountEdit, "", 378, 2, 36, 12, kStyleNumber},
                {K::Spin, kPartsDiscountSpin, "", 414, 2, 10, 12, kStyleAutoBuddy},
                {K::CheckBox, kLastPriceCheck, u("上次价"), 428, 3, 36, 10},
                {K::Static, IDC_STATIC, u("手工折"), 467, 4, 24, 9},
                {K::Edit, kLabourDiscountEdit, "", 494, 2, 36, 12, kStyleNumber},
                {K::Spin, kLabourDiscountSpin, "", 530, 2, 10, 12, kStyleAutoBuddy},
            },
        };
        for (const ControlTemplate& control : line_page::ButtonColumn(
                 16, 170, {{kMaintenanceButton, u("保养(&B)")}, {kServiceButton, u("进度(&H)")}},
                 170))
            d.controls.push_back(control);
        d.controls.push_back({K::Edit, kNoteEdit, "", 7, 192, 440, 40, kStyleMultiline});
        return d;
    }();
    return dialog;
}

} // namespace res
