#include "work/customer_record_dlg.h"

#include "app/main_frame.h"
#include "app/record_nav_bar.h"
#include "platform/message_box.h"
#include "res/control_ids.h"
#include "res/customer_record_template.h"
#include "work/active_sheet.h"
#include "work/archive_dlg.h"
#include "work/customer_browse_dlg.h"
#include "work/customer_fields.h"

#include <wx/combobox.h>
#include <wx/datetime.h>
#include <wx/spinbutt.h>
#include <wx/textctrl.h>

using namespace res::customer_record;

namespace {

using K = CRecordDlg::FieldKind;

std::vector<CRecordDlg::FieldBinding> Fields() {
    return {
        {kPlateEdit, "车牌号码", K::Text},
        {kServiceCombo, "保养类", K::Text},
        {kEngineEdit, "发动机号", K::Text},
        {kModelCombo, "车型", K::Text},
        {kColourCombo, "颜色", K::Text},
        {kChassisEdit, "车架号", K::Text},
        {kModelCodeEdit, "机种代码", K::Text},
        {kBoughtEdit, "购车日期", K::Date},
        {kDealerEdit, "销售公司", K::Text},
        {kInsuredEdit, "投保日期", K::Date},
        {kFirstVisitEdit, "来店日期", K::Date},
        {kLicensedEdit, "领照日期", K::Date},
        {kWarrantyCardEdit, "保修卡号", K::Text},
        {kMileageEdit, "来店里程", K::Integer},
        {kPayerEdit, "结算单位", K::Text},
        {kOwnerEdit, "车主姓名", K::Text},
        {kIdNumberEdit, "身份证号", K::Text},
        {kSexEdit, "性别", K::Text},
        {kHomePhoneEdit, "住宅电话", K::Text},
        {kBirthdayEdit, "生日", K::Date},
        {kSpouseEdit, "配偶姓名", K::Text},
        {kMobileEdit, "手机", K::Text},
        {kEmployerEdit, "单位", K::Text},
        {kSpousePhoneEdit, "配偶电话", K::Text},
        {kWorkPhoneEdit, "单位电话", K::Text},
        {kAddressEdit, "地址", K::Text},
        {kPostEdit, "邮编", K::Text},
        {kFeatureEdit, "客户特征", K::Text},
        {kWorkAddressEdit, "单位地址", K::Text},
        {kWorkPostEdit, "单位邮编", K::Text},
        {kPartsRateEdit, "折扣", K::Percent},
        {kLabourRateEdit, "手扣", K::Percent},
    };
}

} // namespace

void gkda::Register() {
    // Mode 1 is the picker's "马上建档": a new entry with the typed plate, and the plate
    // saved handed back. Mode 0 opens on the sheet customer's record.
    CMainFrame::RegisterForm(FormKind::CustomerRecords,
                             [](CMainFrame& frame, int mode, const wxString& text) {
                                 frame.m_bRecordSaved = false;
                                 gkda dialog(nullptr, mode == 1 ? text : wxString());
                                 dialog.ShowModal();
                                 if (mode == 1 && frame.m_bRecordSaved)
                                     frame.m_strShared = dialog.ShownPlate();
                             });
}

gkda::gkda(wxWindow* parent, const wxString& newPlate)
    : CRecordDlg(parent, res::CustomerRecordTemplate(), "gk", Fields(), kPlateEdit, true, 65),
      m_strNewPlate(newPlate) {
    for (int id : {kPartsRateSpin, kLabourRateSpin})
        if (auto* spin = res::Control<wxSpinButton>(this, id)) spin->SetRange(0, 200);
    res::BindButton(this, kBrowseButton, &gkda::OnBrowse);
    res::BindButton(this, kHistoryButton, &gkda::OnRepairHistory);
    res::Control<wxTextCtrl>(this, kIdNumberEdit)->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
        OnIdNumberChange();
    });
    Open();
    if (!m_strNewPlate.empty()) OnNew();
    Centre();
}

wxString gkda::ShownPlate() const {
    return ControlText(kPlateEdit).Strip(wxString::both);
}

void gkda::FillEditLists() {
    if (!m_bListsPending) return;
    CDataSet lists;
    const struct {
        int id;
        const char* field;
    } combos[] = {{kModelCombo, "车型"}, {kServiceCombo, "保养类"}, {kColourCombo, "颜色"}};
    for (const auto& combo : combos) {
        auto* box = res::Control<wxComboBox>(this, combo.id);
        const wxString typed = box->GetValue();
        lists.FillComboBox(CSqlText::ReplaceParams("select distinct ReplaceStr from ReplaceStr1",
                                                   wxString::FromUTF8(combo.field), "gk"),
                           box);
        box->ChangeValue(typed);
    }
    lists.Close();
    m_bListsPending = false;
}

void gkda::PrepareNewEntry() {
    SetControlText(kFirstVisitEdit, wxDateTime::Today().Format("%Y-%m-%d"));
    SetControlText(kServiceCombo, wxString::FromUTF8("通用"));
    if (!m_strNewPlate.empty()) {
        SetControlText(kPlateEdit, m_strNewPlate);
        m_strNewPlate.clear();
    } else if (active_sheet::Exists() && !active_sheet::Customer().empty()) {
        SetControlText(kPlateEdit, active_sheet::Customer());
    }
    res::Control<wxTextCtrl>(this, kPlateEdit)->SetInsertionPointEnd();
}

wxString gkda::FormProblem() {
    wxString birthday;
    if (!CCustomerFields::BirthdayFromId(ControlText(kIdNumberEdit).Strip(wxString::both),
                                         &birthday))
        return wxString::FromUTF8(CCustomerFields::kBadIdText);
    return wxString();
}

wxString gkda::DeleteQuestion(const wxString& key) const {
    if (key.empty()) return wxString::FromUTF8("真要删除该客户的记录吗？");
    return wxString::FromUTF8("真要删除“") + key + wxString::FromUTF8("”的记录吗？");
}

wxString gkda::DeleteFailedText() const {
    return wxString::FromUTF8("删除未能成功，请重新选择！");
}

void gkda::OnIdNumberChange() {
    wxString birthday;
    if (!CCustomerFields::BirthdayFromId(ControlText(kIdNumberEdit).Strip(wxString::both),
                                         &birthday))
        platform::ShowMessageBox(CCustomerFields::kBadIdText);
    SetControlText(kBirthdayEdit, birthday);
}

void gkda::OnBrowse() {
    CMainFrame* frame = CMainFrame::Get();
    if (GetNavBar()) GetNavBar()->Hide();
    Hide();
    if (frame) frame->m_strShared = "gk";
    {
        CCustomerBrowseDlg browser;
        browser.ShowModal();
    }
    Show();
    if (GetNavBar()) GetNavBar()->Show();
}

void gkda::OnRepairHistory() {
    CMainFrame* frame = CMainFrame::Get();
    if (frame && !frame->CheckRight(6)) return;
    const wxString plate = ControlText(kPlateEdit).Strip(wxString::both);
    const bool sheet = active_sheet::Exists();
    const wxString kept = active_sheet::Customer();
    if (sheet) active_sheet::SetCustomer(plate);
    if (frame) frame->m_strShared = plate;
    {
        wxda archive(nullptr, CArchiveQuery::Mode::Repair, plate);
        archive.ShowModal();
    }
    if (sheet) active_sheet::SetCustomer(kept);
}
