#include "work/member_card_dlg.h"

#include "app/main_frame.h"
#include "app/record_nav_bar.h"
#include "res/control_ids.h"
#include "res/member_card_template.h"
#include "work/active_sheet.h"
#include "work/member_card_rules.h"
#include "work/member_list_dlg.h"
#include "work/member_service_dlg.h"

#include <wx/combobox.h>
#include <wx/datetime.h>

using namespace res::member_card;

namespace {

using K = CRecordDlg::FieldKind;

std::vector<CRecordDlg::FieldBinding> Fields() {
    return {
        {kTypeCombo, "卡类别", K::Text},     {kPlateCombo, "车牌号码", K::Text},
        {kSalesmanCombo, "推销员", K::Text}, {kIssuedEdit, "办卡日期", K::Date},
        {kValidEdit, "有效期", K::Date},     {kCardNoEdit, "卡号", K::Text},
        {kAmountEdit, "金额", K::Integer},   {kPasswordEdit, "密码", K::Text},
    };
}

wxString Distinct(const char* field, const char* table) {
    return CSqlText::ReplaceParams("select distinct ReplaceStr from ReplaceStr1",
                                   wxString::FromUTF8(field), table);
}

wxString Today() {
    return wxDateTime::Today().Format("%Y-%m-%d");
}

} // namespace

void CMemberCardDlg::Register() {
    // Mode 1 is the repair card's 进度: the member service usage of the plate.
    CMainFrame::RegisterForm(FormKind::MemberCards,
                             [](CMainFrame&, int mode, const wxString& text) {
                                 if (mode == 1) {
                                     CMemberServiceDlg usage(nullptr, text);
                                     usage.ShowModal();
                                     return;
                                 }
                                 CMemberCardDlg dialog;
                                 dialog.ShowModal();
                             });
}

CMemberCardDlg::CMemberCardDlg(wxWindow* parent)
    : CRecordDlg(parent, res::MemberCardTemplate(), "hyzl", Fields(), kPlateCombo, false, 60) {
    // The card types already issued and those the service items define.
    CDataSet lists;
    auto* types = res::Control<wxComboBox>(this, kTypeCombo);
    lists.FillComboBox(Distinct("卡类别", "hyzl"), types);
    CDataSet items;
    items.Open(Distinct("卡类别", "hyxm"));
    if (items.IsOpen())
        for (auto& rs = *items.m_pRecordset; !rs.EndOfFile(); rs.MoveNext()) {
            const ado::Variant value = rs.Fields().Item(0).Value();
            if (value.IsNull() || value.IsEmpty()) continue;
            const wxString type = wxString::FromUTF8(value.ToString()).Trim(true);
            if (!type.empty() && types->FindString(type) == wxNOT_FOUND) types->Append(type);
        }
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnBrowse(); }, res::ToWxId(kBrowseButton));
    auto* plates = res::Control<wxComboBox>(this, kPlateCombo);
    plates->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) { OnPlateSelChange(); });
    Open();
    lists.FillComboBox(Distinct("车牌号码", "hyzl"), plates);
    Centre();
}

void CMemberCardDlg::FillEditLists() {
    if (!m_bListsPending) return;
    CDataSet lists;
    auto* plates = res::Control<wxComboBox>(this, kPlateCombo);
    auto* salesmen = res::Control<wxComboBox>(this, kSalesmanCombo);
    const wxString plate = plates->GetValue(), salesman = salesmen->GetValue();
    lists.FillComboBox(Distinct("车牌号码", "gk"), plates);
    lists.FillComboBox(Distinct("姓名", "ygk"), salesmen);
    plates->ChangeValue(plate);
    salesmen->ChangeValue(salesman);
    m_bListsPending = false;
}

void CMemberCardDlg::PrepareNewEntry() {
    const wxString today = Today();
    SetControlText(kIssuedEdit, today);
    SetControlText(kValidEdit, CMemberCardRules::ValidUntil(today));
    if (active_sheet::Exists() && !active_sheet::Customer().empty())
        SetControlText(kPlateCombo, active_sheet::Customer());
}

wxString CMemberCardDlg::FormProblem() {
    return CMemberCardRules::DateProblem(ControlText(kIssuedEdit).Strip(wxString::both),
                                         ControlText(kValidEdit).Strip(wxString::both),
                                         m_session.IsAdding(), Today());
}

wxString CMemberCardDlg::DeleteQuestion(const wxString& key) const {
    return wxString::FromUTF8("真要删除该记录吗？") + "(" + key + ")";
}

wxString CMemberCardDlg::DeleteFailedText() const {
    return wxString::FromUTF8("删除未成功，请重新选择！");
}

void CMemberCardDlg::OnPlateSelChange() {
    auto* plates = res::Control<wxComboBox>(this, kPlateCombo);
    const int chosen = plates->GetSelection();
    const ado::RecordsetPtr& rs = m_ds.m_pRecordset;
    if (chosen == wxNOT_FOUND || !m_ds.IsOpen() || rs->RecordCount() == 0) return;
    const wxString plate = plates->GetString(chosen);
    plates->ChangeValue(plate);
    // While a card is typed the choice only fills the plate in.
    if (!m_session.IsBrowsing()) return;
    rs->MoveFirst();
    rs->Find(CSqlText::Criterion(m_strKeyField, plate).utf8_string());
    if (CRecordEditSession::OnRecord(rs)) ShowRecord();
}

void CMemberCardDlg::OnBrowse() {
    if (GetNavBar()) GetNavBar()->Hide();
    Hide();
    if (CMainFrame* frame = CMainFrame::Get()) frame->m_strShared = "gk";
    {
        CMemberListDlg list(nullptr);
        list.ShowModal();
    }
    Show();
    if (GetNavBar()) GetNavBar()->Show();
}
