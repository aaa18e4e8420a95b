#include "app/options_page.h"

#include "data/setting_files.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "res/control_ids.h"
#include "res/options_page_template.h"

#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/spinbutt.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

using namespace res::options_page;

namespace {

// The boxes that are on with "key=1,", in the order the file lists them.
struct Flag {
    const char* key;
    int id;
};
const Flag kChecks[] = {
    {"提示1", kShortageCheck},       {"提示2", kSurplusCheck},   {"提示3", kInspectionCheck},
    {"提示4", kBirthdayCheck},       {"提示5", kServiceCheck},   {"零件库存", kDropEmptyCheck},
    {"三级模式", kThreeLevelsCheck}, {"检查", kCheckItemsCheck},
};

// The number boxes in file order, with their spin ranges and start positions.
struct Number {
    const char* key;
    int edit;
    int spin;
    int max;
    int start;
    const char* label;
};
const Number kNumbers[] = {
    {"项目名称", kLabourEdit, kLabourSpin, 100, 0, "工时费"},
    {"零售价", kRepairPartsEdit, kRepairPartsSpin, 100, 0, "维修用配件"},
    {"批发价", kSalesPartsEdit, kSalesPartsSpin, 100, 0, "配件用销售"},
    {"一级价", kLevel1Edit, kLevel1Spin, 200, 100, "一级价"},
    {"二级价", kLevel2Edit, kLevel2Spin, 200, 100, "二级价"},
    {"三级价", kLevel3Edit, kLevel3Spin, 200, 100, "三级价"},
    {"折扣", kDiscountEdit, kDiscountSpin, 100, 0, "折扣极限"},
};

bool IsDigits(const wxString& text) {
    for (wxUniChar c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

// The price-handling choices, values 1 to 4.
const int kPriceRadios[] = {kWeightedRadio, kStockPriceRadio, kIncomingRadio, kOwnPriceRadio};

} // namespace

page1::page1(wxWindow* sheet) {
    Create(sheet);
}

bool page1::Create(wxWindow* sheet) {
    if (!wxPanel::Create(sheet, wxID_ANY)) return false;
    res::BuildDialog(this, res::OptionsPageTemplate());
    OnInitDialog();
    return true;
}

void page1::OnInitDialog() {
    for (const Number& number : kNumbers) {
        auto* spin = res::Control<wxSpinButton>(this, number.spin);
        spin->SetRange(0, number.max);
        spin->SetValue(number.start);
        res::Control<wxTextCtrl>(this, number.edit)
            ->ChangeValue(wxString::Format("%d", number.start));
    }
    LoadSettings();
    ShowSettings();
    m_bModified = false;

    // Only what the operator changes marks the page.
    for (int id = kCostBillRadio; id <= kBirthdayCheck; ++id) {
        Bind(wxEVT_RADIOBUTTON, &page1::OnOptionChanged, this, res::ToWxId(id));
        Bind(wxEVT_CHECKBOX, &page1::OnOptionChanged, this, res::ToWxId(id));
    }
    for (int id = kServiceCheck; id <= kSalesBillRadio; ++id) {
        Bind(wxEVT_RADIOBUTTON, &page1::OnOptionChanged, this, res::ToWxId(id));
        Bind(wxEVT_CHECKBOX, &page1::OnOptionChanged, this, res::ToWxId(id));
    }
    for (int id = kLevel1Edit; id <= kSalesPartsEdit; ++id)
        Bind(wxEVT_TEXT, &page1::OnOptionChanged, this, res::ToWxId(id));
}

void page1::ShowSettings() {
    auto select = [this](int id) { res::Control<wxRadioButton>(this, id)->SetValue(true); };
    select(GetIntOption(U("零件售货单")) != 0 ? kCostBillRadio : kSalesBillRadio);
    select(GetIntOption(U("入库单")) != 0 ? kByBinRadio : kByArrivalRadio);
    const int price = GetIntOption("jgk");
    select(price >= 1 && price <= 3 ? kPriceRadios[price - 1] : kOwnPriceRadio);
    for (const Flag& flag : kChecks)
        if (GetIntOption(U(flag.key)) != 0) res::Control<wxCheckBox>(this, flag.id)->SetValue(true);
    for (const Number& number : kNumbers) {
        const int value = GetIntOption(U(number.key));
        if (value > 0)
            res::Control<wxTextCtrl>(this, number.edit)->SetValue(wxString::Format("%d", value));
    }
}

bool page1::BuildSettings() {
    auto on = [this](int id) {
        wxWindow* control = res::FindControl(this, id);
        if (auto* radio = dynamic_cast<wxRadioButton*>(control)) return radio->GetValue();
        auto* check = dynamic_cast<wxCheckBox*>(control);
        return check && check->GetValue();
    };
    wxString text;
    if (on(kCostBillRadio)) text += U("零件售货单=1,");
    if (on(kByBinRadio)) text += U("入库单=1,");
    for (int i = 0; i < 4; ++i)
        if (on(kPriceRadios[i])) text += wxString::Format("jgk=%d,", i + 1);
    for (const Flag& flag : kChecks)
        if (on(flag.id)) text += U(flag.key) + "=1,";
    for (const Number& number : kNumbers) {
        auto* edit = res::Control<wxTextCtrl>(this, number.edit);
        wxString value = edit->GetValue();
        value.Trim(true);
        // A pasted comma, blank or "=" would break the items of the line.
        if (!IsDigits(value)) {
            platform::ShowMessageBox(std::string(number.label) + "只能输入数字!");
            edit->SetFocus();
            return false;
        }
        text += U(number.key) + "=" + value + ",";
    }
    m_strSettings = text;
    return true;
}

bool page1::OnApply() {
    if (!BuildSettings() || !CSettingFiles::WriteSettingFile(kFileName, m_strSettings))
        return false;
    m_bModified = false;
    return true;
}

void page1::OnOptionChanged(wxCommandEvent& event) {
    m_bModified = true;
    event.Skip();
}
