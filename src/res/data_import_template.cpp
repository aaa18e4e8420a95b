#include "res/data_import_template.h"

#include "platform/wx_text.h"
#include "res/control_ids.h"

namespace res {

const DialogTemplate& DataImportTemplate() {
    using namespace data_import;
    using K = ControlKind;
    static const DialogTemplate dialog{
        kDialogId,
        U("数据导入"),
        290,
        200,
        {
            {K::GroupBox, IDC_STATIC, U("数据库选择"), 7, 4, 220, 48},
            {K::Static, IDC_STATIC, U("数据源"), 12, 18, 30, 8},
            {K::Edit, kSourceEdit, "", 44, 16, 140, 12},
            {K::Button, kSourceButton, U("选择"), 188, 15, 34, 14},
            {K::Static, IDC_STATIC, U("目标库"), 12, 35, 30, 8},
            {K::ComboBox, kTargetCombo, "", 44, 33, 140, 100},
            {K::Button, kTargetButton, U("选择"), 188, 32, 34, 14},
            {K::GroupBox, IDC_STATIC, U("字段对应关系"), 7, 56, 276, 138},
            {K::Static, IDC_STATIC, U("源数据字段"), 12, 68, 50, 8},
            {K::ComboBox, kSourceFieldCombo, "", 12, 78, 90, 100},
            {K::Static, IDC_STATIC, U("目标库字段"), 108, 68, 50, 8},
            {K::ComboBox, kTargetFieldCombo, "", 108, 78, 90, 100},
            {K::Button, kAddButton, U("建立对应关系"), 204, 77, 74, 14},
            {K::Static, IDC_STATIC, U("对应关系"), 12, 96, 50, 8},
            {K::ListBox, kMappingList, "", 12, 106, 186, 82},
            {K::Button, kClearButton, U("清空对应关系"), 204, 106, 74, 14},
            {K::Button, kDeleteButton, U("删除对应关系"), 204, 124, 74, 14},
            {K::DefButton, IDOK, U("导入数据"), 233, 8, 50, 14},
            {K::Button, IDCANCEL, U("退出"), 233, 26, 50, 14},
        },
    };
    return dialog;
}

const DialogTemplate& ImportCheckTemplate() {
    using namespace import_check;
    using K = ControlKind;
    static const DialogTemplate dialog{
        kDialogId,
        U("数据核对"),
        320,
        200,
        {
            {K::Custom, kGrid, "", 7, 7, 306, 164, kStyleNone, "GridCtrl"},
            {K::DefButton, IDOK, U("更新数据(&Y)"), 7, 178, 60, 14},
            {K::Button, kDeleteButton, U("删除(&E)"), 130, 178, 60, 14},
            {K::Button, IDCANCEL, U("取消操作(&U)"), 253, 178, 60, 14},
        },
    };
    return dialog;
}

} // namespace res
