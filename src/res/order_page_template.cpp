#include "res/order_page_template.h"

namespace res {

// The buttons, the total and the grid are placed by the page to fill the lower pane.
const DialogTemplate& OrderPageTemplate() {
    using namespace order_page;
    using K = ControlKind;
    const auto u = [](const char* text) { return wxString::FromUTF8(text); };
    static const DialogTemplate dialog{
        kDialogId,
        u("定货"),
        478,
        131,
        {
            {K::Static, kNumberLabel, u("定货单号"), 7, 6, 32, 9},
            {K::ComboBox, kNumberCombo, "", 40, 4, 60, 80},
            {K::Button, kLockButton, u("锁"), 101, 4, 14, 12},
            {K::Static, kCurrentLabel, u("当前单号"), 118, 6, 32, 9},
            {K::Edit, kCurrentEdit, "", 151, 4, 56, 12, kStyleDisabled},
            {K::Static, kContractLabel, u("合同号"), 210, 6, 24, 9},
            {K::Edit, kContractEdit, "", 235, 4, 50, 12},
            {K::Button, kPriceListButton, u("按已有价格定价"), 7, 21, 64, 12},
            {K::Button, kRatioButton, u("按售价进价比定价"), 74, 21, 74, 12},
            {K::Button, kLowestButton, u("全取最低价"), 151, 21, 50, 12},
            {K::Button, kCompareButton, u("比较进货价格"), 204, 21, 58, 12},
            {K::ComboBox, kSupplierCombo, "", 265, 21, 70, 80, kStyleHidden},
            {K::Button, kSupplierButton, u("..."), 337, 21, 14, 12, kStyleHidden},
            {K::Radio, kTransferOutRadio, u("调拨出库"), 118, 5, 44, 10,
             kStyleHidden | kStyleGroup},
            {K::Radio, kInStoreRadio, u("库内调整"), 164, 5, 44, 10, kStyleHidden},
            {K::Custom, kGrid, "", 7, 36, 464, 63, kStyleNone, "GridCtrl"},
            {K::GroupBox, kButtonFrame, "", 7, 102, 400, 26},
            {K::Button, kNewButton, u("新增(&N)"), 12, 110, 40, 12},
            {K::Button, kModifyButton, u("修改(&R)"), 55, 110, 40, 12},
            {K::Button, kDeleteButton, u("删除(&E)"), 98, 110, 40, 12},
            {K::Button, kPrintButton, u("打印(&P)"), 141, 110, 40, 12},
            {K::Button, kSaveButton, u("存档(&S)"), 184, 110, 40, 12, kStyleDisabled},
            {K::Button, kCancelButton, u("取消(&U)"), 227, 110, 40, 12, kStyleDisabled},
            {K::Button, kExitButton, u("退出(&X)"), 270, 110, 40, 12},
            {K::Static, kTotalLabel, u("合计："), 408, 112, 23, 9},
            {K::Edit, kTotalEdit, "", 432, 110, 40, 12, kStyleDisabled},
        },
    };
    return dialog;
}

const DialogTemplate& BinAllocTemplate() {
    using namespace bin_alloc;
    using K = ControlKind;
    const auto u = [](const char* text) { return wxString::FromUTF8(text); };
    static const DialogTemplate dialog{
        kDialogId,
        u("货位设置"),
        330,
        190,
        {
            {K::Static, IDC_STATIC, u("库房"), 7, 8, 20, 9},
            {K::ComboBox, kStoreCombo, "", 30, 6, 80, 80, kStyleSorted},
            {K::Custom, kGrid, "", 7, 24, 316, 140, kStyleNone, "GridCtrl"},
            {K::DefButton, IDOK, u("确定(&Y)"), 210, 170, 50, 14},
            {K::Button, IDCANCEL, u("取消(&U)"), 270, 170, 50, 14},
        },
    };
    return dialog;
}

const DialogTemplate& SplitAssembleTemplate() {
    using namespace split_assemble;
    using K = ControlKind;
    const auto u = [](const char* text) { return wxString::FromUTF8(text); };
    static const DialogTemplate dialog{
        kDialogId,
        u("零件拆零和组装"),
        330,
        200,
        {
            {K::Static, IDC_STATIC, u("车型"), 7, 8, 20, 9},
            {K::ComboBox, kModelCombo, "", 30, 6, 90, 80, kStyleSorted},
            {K::Button, kFuzzyButton, u("模糊查找(&L)"), 126, 6, 56, 13},
            {K::Custom, kGrid, "", 7, 24, 316, 140, kStyleNone, "GridCtrl"},
            {K::Static, IDC_STATIC, u("拆零或组装数量"), 7, 176, 56, 9},
            {K::Edit, kQuantityEdit, "", 64, 174, 30, 12, kStyleNumber},
            {K::Spin, kQuantitySpin, "", 94, 174, 10, 12, kStyleAutoBuddy},
            {K::DefButton, IDOK, u("零件拆零(&C)"), 120, 173, 62, 14},
            {K::Button, kAssembleButton, u("零件组装(&Z)"), 188, 173, 62, 14},
            {K::Button, IDCANCEL, u("退出(&X)"), 256, 173, 62, 14},
        },
    };
    return dialog;
}

const DialogTemplate& TransferRecordsTemplate() {
    using namespace transfer_records;
    using K = ControlKind;
    const auto u = [](const char* text) { return wxString::FromUTF8(text); };
    static const DialogTemplate dialog{
        kDialogId,
        u("调拨记录"),
        330,
        210,
        {
            {K::Static, kFilterLabel, u("调拨去向"), 6, 9, 34, 8},
            {K::ComboBox, kFilterCombo, "", 42, 6, 80, 80, kStyleSorted},
            {K::Static, IDC_STATIC, u("从"), 128, 9, 10, 8},
            {K::Edit, kFromEdit, "", 140, 6, 52, 13},
            {K::Static, IDC_STATIC, u("到"), 196, 9, 10, 8},
            {K::Edit, kToEdit, "", 208, 6, 52, 13},
            {K::Button, kFindButton, u("模糊查找(&L)"), 266, 6, 58, 13},
            {K::Custom, kGrid, "", 4, 24, 322, 146, kStyleNone, "GridCtrl"},
            {K::Static, kTotalStatic, "", 6, 173, 160, 9},
            {K::GroupBox, IDC_STATIC, "", 4, 184, 322, 24},
            {K::Button, kModifyButton, u("修改(&R)"), 10, 191, 40, 13},
            {K::Button, kDeleteButton, u("删除(&E)"), 62, 191, 40, 13},
            {K::Button, kSaveButton, u("存档(&S)"), 114, 191, 40, 13, kStyleDisabled},
            {K::Button, kCancelButton, u("取消(&U)"), 166, 191, 40, 13, kStyleDisabled},
            {K::Button, kPrintButton, u("打印(&P)"), 218, 191, 40, 13},
            {K::Button, kExitButton, u("退出(&X)"), 270, 191, 40, 13},
        },
    };
    return dialog;
}

} // namespace res
