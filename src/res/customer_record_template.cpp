#include "res/customer_record_template.h"

#include "res/control_ids.h"

namespace res {

namespace {

// A labelled field of a group laid out in three columns, row by row.
struct Field {
    const char* label;
    int id;
    ControlKind kind;
    unsigned style;
};

void AddFields(std::vector<ControlTemplate>& controls, const std::vector<Field>& fields, int top) {
    using K = ControlKind;
    for (size_t i = 0; i < fields.size(); ++i) {
        const Field& f = fields[i];
        const int x = 10 + static_cast<int>(i % 3) * 108;
        const int y = top + static_cast<int>(i / 3) * 14;
        controls.push_back({K::Static, IDC_STATIC, wxString::FromUTF8(f.label), x, y + 2, 38, 8});
        const bool spun =
            f.id == customer_record::kPartsRateEdit || f.id == customer_record::kLabourRateEdit;
        controls.push_back({f.kind, f.id, "", x + 40, y, spun ? 52 : 64, 12, f.style});
        if (spun) controls.push_back({K::Spin, f.id + 36, "", x + 92, y, 12, 12, kStyleAutoBuddy});
    }
}

} // namespace

const DialogTemplate& CustomerRecordTemplate() {
    using namespace customer_record;
    using K = ControlKind;
    static const DialogTemplate dialog = [] {
        const unsigned off = kStyleDisabled;
        const unsigned combo = kStyleDisabled | kStyleSorted;
        const unsigned digits = kStyleDisabled | kStyleNumber;
        DialogTemplate d{kDialogId, wxString::FromUTF8("客户资料"), 340, 209, {}};
        d.controls.push_back(
            {K::GroupBox, IDC_STATIC, wxString::FromUTF8("车辆资料"), 4, 2, 332, 84});
        AddFields(d.controls,
                  {
                      {"车牌号码", kPlateEdit, K::Edit, off},
                      {"保养类型", kServiceCombo, K::ComboBox, combo},
                      {"发动机号", kEngineEdit, K::Edit, off},
                      {"车型", kModelCombo, K::ComboBox, combo},
                      {"外观颜色", kColourCombo, K::ComboBox, combo},
                      {"车架号码", kChassisEdit, K::Edit, off},
                      {"机种代码", kModelCodeEdit, K::Edit, off},
                      {"购车日期", kBoughtEdit, K::Edit, off},
                      {"销售公司", kDealerEdit, K::Edit, off},
                      {"投保日期", kInsuredEdit, K::Edit, off},
                      {"首次来访", kFirstVisitEdit, K::Edit, off},
                      {"领照日期", kLicensedEdit, K::Edit, off},
                      {"保修卡号", kWarrantyCardEdit, K::Edit, off},
                      {"首次里程", kMileageEdit, K::Edit, digits},
                      {"结算单位", kPayerEdit, K::Edit, off},
                  },
                  14);
        d.controls.push_back(
            {K::GroupBox, IDC_STATIC, wxString::FromUTF8("车主或送修人资料"), 4, 88, 332, 98});
        AddFields(d.controls,
                  {
                      {"姓名", kOwnerEdit, K::Edit, off},
                      {"身份证号", kIdNumberEdit, K::Edit, off},
                      {"性别", kSexEdit, K::Edit, off},
                      {"住宅电话", kHomePhoneEdit, K::Edit, off},
                      {"出生日期", kBirthdayEdit, K::Edit, off},
                      {"配偶姓名", kSpouseEdit, K::Edit, off},
                      {"手机", kMobileEdit, K::Edit, off},
                      {"单位名称", kEmployerEdit, K::Edit, off},
                      {"配偶电话", kSpousePhoneEdit, K::Edit, off},
                      {"单位电话", kWorkPhoneEdit, K::Edit, off},
                      {"住址", kAddressEdit, K::Edit, off},
                      {"住址邮编", kPostEdit, K::Edit, off},
                      {"客户特征", kFeatureEdit, K::Edit, off},
                      {"单位地址", kWorkAddressEdit, K::Edit, off},
                      {"单位邮编", kWorkPostEdit, K::Edit, off},
                      {"零件费折扣", kPartsRateEdit, K::Edit, digits},
                      {"工时费折扣", kLabourRateEdit, K::Edit, digits},
                  },
                  100);
        // The two vehicle-kind buttons sit in the free last place of the owner group.
        d.controls.push_back(
            {K::Button, kMotorButton, wxString::FromUTF8("摩托"), 226, 170, 50, 12, kStyleHidden});
        d.controls.push_back(
            {K::Button, kCarButton, wxString::FromUTF8("汽车"), 280, 170, 50, 12, kStyleHidden});
        const struct {
            int id;
            const char* text;
        } buttons[] = {
            {kHistoryButton, "维修记录(&W)"}, {kNewButton, "新增(&N)"},
            {kModifyButton, "修改(&R)"},      {kDeleteButton, "删除(&E)"},
            {kPrintButton, "打印(&P)"},       {kBrowseButton, "浏览(&L)"},
            {kSaveButton, "存档(&S)"},        {kCancelButton, "取消(&U)"},
            {kExitButton, "退出(&X)"},
        };
        int x = 4;
        for (const auto& b : buttons) {
            const int width = b.id == kHistoryButton ? 44 : 33;
            d.controls.push_back({K::Button, b.id, wxString::FromUTF8(b.text), x, 190, width, 14});
            x += width + 3;
        }
        return d;
    }();
    return dialog;
}

} // namespace res
