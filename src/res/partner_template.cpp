#include "res/partner_template.h"

#include "res/control_ids.h"

namespace res {

namespace {

wxString T(const char* text) {
    return wxString::FromUTF8(text);
}

} // namespace

const DialogTemplate& PartnerCardTemplate() {
    using namespace partner_card;
    using K = ControlKind;
    static const DialogTemplate dialog = [] {
        const unsigned off = kStyleDisabled;
        DialogTemplate d{kDialogId, T("往来单位"), 290, 176, {}};
        struct Field {
            int id;
            const char* label;
            int x, y, cx;
            unsigned style;
        };
        // In the order Enter and the arrow keys follow.
        const Field fields[] = {
            {kNameEdit, "单位", 42, 18, 232, off},
            {kAddressEdit, "地址", 42, 32, 232, off},
            {kHeadEdit, "负责人", 42, 46, 43, off},
            {kHeadPhoneEdit, "电话", 108, 46, 72, off},
            {kHeadMobileEdit, "手机", 201, 46, 73, off},
            {kContactEdit, "联系人", 42, 60, 43, off},
            {kContactPhoneEdit, "电话", 108, 60, 72, off},
            {kContactMobileEdit, "手机", 201, 60, 73, off},
            {kFaxEdit, "传真", 108, 74, 72, off},
            {kSparePhoneEdit, "备用", 201, 74, 73, off},
            {kBankEdit, "开户行", 42, 88, 232, off},
            {kAccountEdit, "帐号", 42, 102, 138, off},
            {kBalanceEdit, "帐面余额", 216, 102, 58, kStyleReadOnly | off},
            {kTaxEdit, "税号", 42, 116, 94, off},
        };
        for (const Field& f : fields) {
            const int labelWidth = f.x == 42 ? 28 : 4 + 7 * int(T(f.label).length());
            d.controls.push_back(
                {K::Static, IDC_STATIC, T(f.label), f.x - labelWidth - 2, f.y + 2, labelWidth, 8});
            d.controls.push_back({K::Edit, f.id, "", f.x, f.y, f.cx, 12, f.style});
        }
        d.controls.push_back({K::Static, IDC_STATIC, T("备注"), 196, 118, 18, 8});
        d.controls.push_back({K::Edit, kRemarkEdit, "", 216, 116, 58, 27, off | kStyleMultiline});
        d.controls.push_back({K::Static, IDC_STATIC, T("其它"), 12, 132, 28, 8});
        d.controls.push_back({K::Edit, kOtherEdit, "", 42, 130, 94, 12, off});
        const struct {
            int id;
            const char* text;
        } buttons[] = {
            {kNewButton, "新增(&N)"},    {kModifyButton, "修改(&R)"}, {kDeleteButton, "删除(&E)"},
            {kPrintButton, "打印(&P)"},  {kBrowseButton, "浏览(&L)"}, {kSaveButton, "存档(&S)"},
            {kCancelButton, "取消(&U)"}, {kExitButton, "退出(&X)"},
        };
        d.controls.push_back({K::GroupBox, IDC_STATIC, "", 12, 145, 264, 26});
        int x = 16;
        for (const auto& b : buttons) {
            const unsigned style = b.id == kPrintButton ? kStyleDisabled : kStyleNone;
            d.controls.push_back({K::Button, b.id, T(b.text), x, 153, 31, 14, style});
            x += 32;
        }
        d.controls.push_back({K::Static, IDC_STATIC, T("所属区域"), 99, 6, 33, 8});
        d.controls.push_back({K::Edit, kAreaEdit, "", 133, 4, 50, 12, off});
        d.controls.push_back({K::Static, IDC_STATIC, T("编号"), 12, 6, 28, 8});
        d.controls.push_back({K::Edit, kNumberEdit, "", 42, 4, 55, 12, off});
        d.controls.push_back({K::Button, kArchiveButton, T("进货档案(&J)"), 186, 3, 43, 13});
        d.controls.push_back({K::Button, kLedgerButton, T("往来帐目(&Z)"), 230, 3, 44, 13});
        d.controls.push_back({K::Static, IDC_STATIC, T("折扣"), 12, 76, 28, 8});
        d.controls.push_back(
            {K::Edit, kDiscountEdit, "", 42, 74, 27, 12, off | kStyleNumber | kStyleRight});
        d.controls.push_back({K::Spin, kDiscountSpin, "", 69, 74, 9, 12, kStyleAutoBuddy});
        d.controls.push_back(
            {K::Radio, kLevel1Radio, T("一级价"), 145, 115, 40, 9, off | kStyleGroup});
        d.controls.push_back({K::Radio, kLevel2Radio, T("二级价"), 145, 125, 40, 9, off});
        d.controls.push_back({K::Radio, kLevel3Radio, T("三级价"), 145, 135, 40, 9, off});
        // A group of radio buttons always has one set: this hidden one means none.
        d.controls.push_back({K::Radio, kNoLevelRadio, "", 145, 135, 40, 9, kStyleHidden});
        return d;
    }();
    return dialog;
}

const DialogTemplate& LedgerTemplate() {
    using namespace ledger;
    using K = ControlKind;
    static const DialogTemplate dialog = [] {
        const unsigned off = kStyleDisabled;
        DialogTemplate d{kDialogId, T("帐目"), 349, 225, {}};
        d.controls = {
            {K::GroupBox, IDC_STATIC, T("往来帐登记"), 4, 0, 280, 102},
            {K::Static, IDC_STATIC, T("所属区域"), 12, 12, 38, 8},
            {K::ComboBox, kAreaCombo, "", 52, 10, 69, 84, kStyleSorted},
            {K::Static, IDC_STATIC, T("单位编号"), 166, 12, 38, 8},
            {K::ComboBox, kNumberCombo, "", 206, 10, 74, 81, kStyleSorted},
            {K::Static, IDC_STATIC, T("单位名称"), 12, 28, 38, 8},
            {K::ComboBox, kNameCombo, "", 52, 26, 228, 80, kStyleSorted},
            {K::Static, IDC_STATIC, T("帐面余额"), 12, 47, 38, 8},
            {K::Edit, kBalanceEdit, "", 52, 45, 57, 11, off},
            {K::Static, IDC_STATIC, T("本次金额"), 12, 60, 38, 8},
            {K::Edit, kAmountEdit, "", 52, 58, 57, 11, off},
            {K::Static, IDC_STATIC, T("发生时间"), 12, 73, 38, 8},
            {K::Edit, kDateEdit, "", 52, 71, 57, 11, off},
            {K::Static, IDC_STATIC, T("备注"), 12, 86, 38, 8},
            {K::Edit, kRemarkEdit, "", 52, 84, 57, 11, off},
            {K::GroupBox, IDC_STATIC, T("类别及相应金额"), 115, 40, 120, 58},
            {K::Radio, kReceivableRadio, T("应收款"), 122, 50, 40, 10, kStyleGroup},
            {K::Radio, kPayableRadio, T("应付款"), 122, 61, 40, 10},
            {K::Radio, kAdvanceRadio, T("预收款"), 122, 72, 40, 10},
            {K::Radio, kPrepaidRadio, T("预付款"), 122, 83, 40, 10},
            // A group of radio buttons always has one set: this hidden one means none.
            {K::Radio, kNoCategoryRadio, "", 122, 83, 40, 10, kStyleHidden},
            {K::Static, kReceivableSum, T("金额:"), 163, 51, 68, 8},
            {K::Static, kPayableSum, T("金额:"), 163, 62, 68, 8},
            {K::Static, kAdvanceSum, T("金额:"), 163, 73, 68, 8},
            {K::Static, kPrepaidSum, T("金额:"), 163, 84, 68, 8},
            {K::GroupBox, IDC_STATIC, T("来源"), 239, 40, 42, 58},
            {K::Radio, kPartsRadio, T("配件"), 245, 50, 32, 10, kStyleGroup},
            {K::Radio, kRepairRadio, T("维修"), 245, 61, 32, 10},
            {K::Radio, kVehicleRadio, T("整车"), 245, 72, 32, 10},
            {K::Radio, kOtherRadio, T("其它"), 245, 83, 32, 10},
            {K::Radio, kNoSourceRadio, "", 245, 83, 32, 10, kStyleHidden},
            {K::Button, kNewButton, T("新增(&N)"), 287, 9, 55, 13},
            {K::Button, kBookButton, T("入帐(&S)"), 287, 23, 55, 13, off},
            {K::Button, kOffsetButton, T("冲帐(&C)"), 287, 37, 55, 13, off},
            {K::Button, kCancelButton, T("取消(&U)"), 287, 51, 55, 13, off},
            {K::Button, kDocPrintButton, T("单据打印(&D)"), 287, 65, 55, 13, off},
            {K::Button, kExitButton, T("退出(&X)"), 287, 79, 55, 13},
            {K::GroupBox, IDC_STATIC, T("历史记录"), 4, 103, 341, 120},
            {K::Static, IDC_STATIC, T("类别来源"), 12, 115, 34, 8},
            {K::DropList, kFilterCombo, "", 48, 113, 47, 53, kStyleSorted},
            {K::Button, kFindButton, T("查找(&T)"), 97, 113, 31, 13},
            {K::Button, kPrintButton, T("打印(&P)"), 129, 113, 31, 13},
            {K::Button, kDeleteButton, T("删除(&E)"), 161, 113, 31, 13},
            {K::Button, kClearButton, T("清除空帐(&A)"), 193, 113, 42, 13},
            {K::Static, IDC_STATIC, T("款项相关项目："), 237, 115, 58, 8},
            {K::Button, kRelatedPrintButton, T("清单打印(&P)"), 297, 113, 45, 13},
            {K::Custom, kHistoryGrid, "", 12, 130, 223, 90, kStyleNone, "GridCtrl"},
            {K::Custom, kRelatedGrid, "", 237, 130, 105, 90, kStyleNone, "GridCtrl"},
        };
        return d;
    }();
    return dialog;
}

const DialogTemplate& CashJournalTemplate() {
    using namespace cash_journal;
    using K = ControlKind;
    static const DialogTemplate dialog{
        kDialogId,
        T("现金收支流水帐"),
        330,
        210,
        {
            {K::Static, IDC_STATIC, T("从"), 6, 9, 10, 8},
            {K::Edit, kFromEdit, "", 18, 6, 52, 13},
            {K::Static, IDC_STATIC, T("到"), 74, 9, 10, 8},
            {K::Edit, kToEdit, "", 86, 6, 52, 13},
            {K::Button, kQueryButton, T("开始统计(&T)"), 142, 6, 50, 13},
            {K::Button, kFindButton, T("模糊查找(&L)"), 194, 6, 50, 13},
            {K::Static, kCostLabel, T("原值"), 6, 25, 20, 8, kStyleHidden},
            {K::ComboBox, kHandlerCombo, "", 28, 23, 60, 80, kStyleHidden | kStyleSorted},
            {K::Edit, kCostEdit, "", 28, 23, 60, 13, kStyleHidden | kStyleDisabled},
            {K::Static, kTotalLabel, T("合计"), 200, 25, 20, 8},
            {K::Edit, kTotalEdit, "", 222, 23, 60, 13, kStyleDisabled},
            {K::Custom, kGrid, "", 4, 40, 322, 142, kStyleNone, "GridCtrl"},
            {K::GroupBox, IDC_STATIC, "", 4, 184, 322, 24},
            {K::Button, kAddButton, T("新增(&N)"), 10, 191, 36, 13},
            {K::Button, kDeleteButton, T("删除(&E)"), 50, 191, 36, 13},
            {K::Button, kEditButton, T("修改(&R)"), 90, 191, 36, 13},
            {K::Button, kPrintButton, T("打印(&P)"), 130, 191, 36, 13},
            {K::Button, kSaveButton, T("存档(&S)"), 170, 191, 36, 13, kStyleDisabled},
            {K::Button, kCancelButton, T("取消(&U)"), 210, 191, 36, 13, kStyleDisabled},
            {K::Button, kExitButton, T("退出(&X)"), 250, 191, 36, 13},
        },
    };
    return dialog;
}

} // namespace res
