#include "office/ledger_dlg.h"

#include "app/fuzzy_search_dlg.h"
#include "app/item_pick_dlg.h"
#include "app/ledger_posting.h"
#include "app/ledger_sums.h"
#include "app/main_frame.h"
#include "app/owner_notice.h"
#include "data/record_fields.h"
#include "data/wait_cursor.h"
#include "grid/data_set_grid.h"
#include "grid/grid_ctrl.h"
#include "grid/grid_notify.h"
#include "grid/print_options_dlg.h"
#include "office/office_forms.h"
#include "office/partner_ledger.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "res/control_ids.h"
#include "res/partner_template.h"
#include "work/active_sheet.h"

#include <wx/combobox.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

using namespace res::ledger;
using office::CPartnerLedger;

namespace {

const int kCategoryRadios[] = {kReceivableRadio, kPayableRadio, kAdvanceRadio, kPrepaidRadio};
const int kSumStatics[] = {kReceivableSum, kPayableSum, kAdvanceSum, kPrepaidSum};
const int kSourceRadios[] = {kPartsRadio, kRepairRadio, kVehicleRadio, kOtherRadio};
const char* const kSources[] = {"配件", "维修", "整车", "(其它)"};

void Say(const wxString& text) {
    platform::ShowMessageBox(text.utf8_string());
}

} // namespace

namespace office {

void RegisterLedger() {
    CMainFrame::RegisterForm(
        FormKind::PartnerLedger, [](CMainFrame& frame, int, const wxString& text) {
            // From the menu, with nothing handed over: the customer of the repair card
            // in hand, if any.
            frame.m_strShared = text.empty() ? active_sheet::PageCustomer('W') : text;
            CLedgerDlg dialog(frame, frame.m_strShared);
            dialog.ShowModal();
        });
}

} // namespace office

CLedgerDlg::CLedgerDlg(CMainFrame& frame, const wxString& partner)
    : wxDialog(&frame, wxID_ANY, wxEmptyString), m_frame(frame) {
    CGridCtrl::RegisterGridClass();
    res::BuildDialog(this, res::LedgerTemplate());
    m_gridHistory = res::Control<CGridCtrl>(this, kHistoryGrid);
    m_gridRelated = res::Control<CGridCtrl>(this, kRelatedGrid);
    for (CGridCtrl* grid : {m_gridHistory, m_gridRelated}) {
        grid->ResetToCorner();
        grid->m_nHelpContext = kDialogId;
    }
    // The history is read-only: entries change only through a posting or 删除, so no
    // edit typed into a cell is saved unseen with the next posting.
    m_gridHistory->m_strTitle = U("住来帐目表");
    m_gridHistory->SetTableName("wlzm");
    m_gridRelated->SetTableName("temp96");

    res::BindButton(this, kNewButton, &CLedgerDlg::OnNew);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { PostEntry(true); }, res::ToWxId(kBookButton));
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { PostEntry(false); }, res::ToWxId(kOffsetButton));
    res::BindButton(this, kCancelButton, &CLedgerDlg::OnCancelEntry);
    res::BindButton(this, kExitButton, &CLedgerDlg::OnExit);
    SetEscapeId(res::ToWxId(kExitButton)); // Esc leaves as 退出 does
    res::BindButton(this, kFindButton, &CLedgerDlg::OnFind);
    res::BindButton(this, kPrintButton, &CLedgerDlg::OnPrint);
    res::BindButton(this, kDeleteButton, &CLedgerDlg::OnDeleteEntry);
    res::BindButton(this, kClearButton, &CLedgerDlg::OnClearEmptyAccounts);
    res::BindButton(this, kRelatedPrintButton, &CLedgerDlg::OnPrintRelated);
    const struct {
        int id;
        void (CLedgerDlg::*handler)();
        int active;
    } selectors[] = {{kNumberCombo, &CLedgerDlg::OnSelectNumber, 1},
                     {kNameCombo, &CLedgerDlg::OnSelectName, 2},
                     {kAreaCombo, &CLedgerDlg::OnSelectArea, 0}};
    for (const auto& s : selectors) {
        Combo(s.id)->Bind(wxEVT_COMBOBOX, [this, s](wxCommandEvent&) { (this->*s.handler)(); });
        Combo(s.id)->Bind(wxEVT_TEXT, [this, s](wxCommandEvent&) {
            if (m_bFilling) return;
            m_nActiveCombo = s.active;
            if (s.active != 0) ShowNamePicker();
        });
    }
    res::Control<wxRadioButton>(this, kNoCategoryRadio)->SetValue(true);
    res::Control<wxRadioButton>(this, kNoSourceRadio)->SetValue(true);
    Combo(kFilterCombo)->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) { OnSelectFilter(); });
    m_gridHistory->Bind(qvEVT_GRID_NOTIFY, &CLedgerDlg::OnHistoryNotify, this);
    Bind(qvEVT_OWNER_NOTICE, &CLedgerDlg::OnNotice, this);
    Bind(wxEVT_CHAR_HOOK, &CLedgerDlg::OnCharHook, this);

    wxString shown = partner;
    const bool all = partner == CPartnerLedger::All();
    if (all && active_sheet::Exists()) shown = active_sheet::Customer();
    if (all && !active_sheet::Exists()) {
        LoadEntries(CPartnerLedger::All(), U("单位"));
        ShowBalances(CLedgerSums::AllStatement());
    } else {
        SetText(kNameCombo, shown);
        LoadEntries(shown, U("单位"));
        ShowBalances(CLedgerSums::Statement(U("单位"), shown));
    }
    m_dsUtility.FillComboBox(U("select distinct 区域 from wlkf"), Combo(kAreaCombo));
    Combo(kAreaCombo)->Append(CPartnerLedger::All());
    for (const char* item :
         {"应收款", "应付款", "预收款", "预付款", "维修", "配件", "整车", "(其它)", "全部"})
        Combo(kFilterCombo)->Append(U(item));
    for (const char* statement : {"select distinct 车牌号码 from gk", "select 单位 from wlkf"}) {
        CDataSet names;
        names.Open(U(statement));
        if (!names.IsOpen() || names.m_pRecordset->RecordCount() < 1) continue;
        ado::Recordset& rs = *names.m_pRecordset;
        for (rs.MoveFirst(); !rs.EndOfFile(); rs.MoveNext()) {
            const wxString name = wxString::FromUTF8(rs.Fields().Item(0).Value().ToString()).Trim();
            if (!name.empty()) m_names.push_back(name);
        }
    }
    FillUnitCombos();
    SetEntryMode(false);
    Centre();
}

CLedgerDlg::~CLedgerDlg() {
    ClosePicker();
    if (m_pPrintDlg) m_pPrintDlg->Destroy();
    m_gridHistory->m_rsBound.reset();
    m_gridRelated->m_rsBound.reset();
    if (CGridCtrl::GetCurrentGrid() == m_gridHistory ||
        CGridCtrl::GetCurrentGrid() == m_gridRelated)
        CGridCtrl::ForgetCurrentGrid();
}

wxComboBox* CLedgerDlg::Combo(int id) const {
    return res::Control<wxComboBox>(this, id);
}

wxString CLedgerDlg::Text(int id) const {
    if (auto* combo = dynamic_cast<wxComboBox*>(res::FindControl(this, id)))
        return combo->GetValue().Strip(wxString::both);
    if (auto* edit = dynamic_cast<wxTextCtrl*>(res::FindControl(this, id)))
        return edit->GetValue().Strip(wxString::both);
    return wxString();
}

void CLedgerDlg::SetText(int id, const wxString& text) {
    m_bFilling = true;
    if (auto* combo = dynamic_cast<wxComboBox*>(res::FindControl(this, id)))
        combo->ChangeValue(text);
    else if (auto* edit = dynamic_cast<wxTextCtrl*>(res::FindControl(this, id)))
        edit->ChangeValue(text);
    m_bFilling = false;
}

void CLedgerDlg::BindHistory(int fieldCount) {
    m_gridHistory->m_rsBound.reset();
    m_gridHistory->DeleteNonFixedRows();
    m_gridHistory->SetTableName("wlzm");
    if (!m_dsEntries.IsOpen()) return;
    data_grid::LoadGrid(m_dsEntries, m_dsEntries.m_pRecordset, m_gridHistory, wxString(),
                        wxString(), fieldCount, 0);
    m_gridHistory->m_rsBound = m_dsEntries.m_pRecordset;
    // The documents follow the rows now shown, even when the focus stays on row 1.
    m_nRelatedRow = -1;
    m_gridRelated->m_rsBound.reset();
    m_gridRelated->DeleteNonFixedRows();
    m_gridHistory->Refresh();
    m_gridRelated->Refresh();
}

void CLedgerDlg::LoadEntries(const wxString& value, const wxString& field) {
    CompletePartner();
    if (value.Contains("'")) {
        Say(U("查询值中不能包含单引号！查询失败。"));
        return;
    }
    m_dsEntries.Open(CPartnerLedger::EntriesStatement(field, value));
    BindHistory(8);
    if (wxWindow* amount = res::FindControl(this, kAmountEdit)) amount->SetFocus();
}

void CLedgerDlg::ShowBalances(const wxString& statement) {
    const CLedgerSums sums = CLedgerSums::Read(m_dsUtility, statement);
    const double values[] = {sums.receivables, sums.payables, sums.advances, sums.prepaid};
    // A partner without entries shows plain zeros; one with entries shows every sum
    // to the fen.
    for (int i = 0; i < 4; ++i)
        res::Control<wxStaticText>(this, kSumStatics[i])
            ->SetLabel(U("金额: ") + (sums.Any() ? MoneyText(values[i]) : wxString("0")));
    SetText(kBalanceEdit, sums.Any() ? MoneyText(sums.Balance()) : wxString("0"));
}

void CLedgerDlg::FillUnitCombos() {
    m_bFilling = true;
    m_dsUtility.FillComboBox(U("select distinct 编号 from wlzm"), Combo(kNumberCombo));
    m_dsUtility.FillComboBox(U("select distinct 单位 from wlzm"), Combo(kNameCombo));
    m_bFilling = false;
}

void CLedgerDlg::SetEntryMode(bool on) {
    for (int id : {int(kBookButton), int(kOffsetButton), int(kDocPrintButton), int(kCancelButton),
                   int(kAmountEdit), int(kDateEdit), int(kRemarkEdit)})
        res::FindControl(this, id)->Enable(on);
    res::FindControl(this, kExitButton)->Enable(!on);
}

void CLedgerDlg::OnNew() {
    SetText(kDateEdit, wxDateTime::Today().Format("%Y-%m-%d"));
    SetText(kRemarkEdit, wxString());
    res::Control<wxRadioButton>(this, kNoCategoryRadio)->SetValue(true);
    SetEntryMode(true);
    res::FindControl(this, kDateEdit)->SetFocus();
}

bool CLedgerDlg::PostEntry(bool book) {
    office::LedgerEntry entry;
    entry.unit = Text(kNameCombo);
    entry.number = Text(kNumberCombo);
    entry.area = Text(kAreaCombo);
    if (entry.area == CPartnerLedger::All()) entry.area.clear();
    entry.amount = Text(kAmountEdit);
    entry.date = Text(kDateEdit);
    entry.remark = Text(kRemarkEdit);
    entry.book = book;
    const char* const categories[] = {"应收款", "应付款", "预收款", "预付款"};
    for (int i = 0; i < 4 && entry.category.empty(); ++i)
        if (res::Control<wxRadioButton>(this, kCategoryRadios[i])->GetValue())
            entry.category = U(categories[i]);
    for (int i = 0; i < 4 && entry.source.empty(); ++i)
        if (res::Control<wxRadioButton>(this, kSourceRadios[i])->GetValue())
            entry.source = U(kSources[i]);
    wxString amount, date;
    const wxString problem = CPartnerLedger::EntryProblem(entry, &amount, &date);
    if (!problem.empty()) {
        Say(problem);
        return false; // the entry stays as typed
    }
    entry.amount = amount;
    entry.date = date;
    const bool newName = Combo(kNameCombo)->FindString(entry.unit, true) == wxNOT_FOUND;
    CLedgerPosting cash = m_frame.Ledger();
    if (!CPartnerLedger::Post(entry, cash)) return false;
    if (newName) {
        m_bFilling = true;
        Combo(kNameCombo)->Append(entry.unit);
        if (!entry.number.empty() && Combo(kNumberCombo)->FindString(entry.number, true) < 0)
            Combo(kNumberCombo)->Append(entry.number);
        m_bFilling = false;
        m_names.push_back(entry.unit);
    }
    SetEntryMode(false);
    m_nActiveCombo = 2;
    LoadEntries(entry.unit, U("单位"));
    ShowBalances(CLedgerSums::Statement(U("单位"), entry.unit));
    return true;
}

void CLedgerDlg::OnCancelEntry() {
    if (active_sheet::Exists()) SetText(kNameCombo, active_sheet::Customer());
    SetText(kDateEdit, wxString());
    SetText(kAmountEdit, wxString());
    SetEntryMode(false);
}

void CLedgerDlg::CompletePartner() {
    if (m_nActiveCombo != 1 && m_nActiveCombo != 2) return;
    const bool byNumber = m_nActiveCombo == 1;
    const wxString value = Text(byNumber ? kNumberCombo : kNameCombo);
    if (value.Contains("'")) return; // refused by the look-up that follows
    m_dsUtility.Open(U("select distinct ") + (byNumber ? U("单位") : U("编号")) +
                     U(" from wlkf where ") +
                     CSqlText::Equals(byNumber ? U("编号") : U("单位"), value));
    if (!m_dsUtility.IsOpen()) return;
    ado::Recordset& rs = *m_dsUtility.m_pRecordset;
    // A name the partner table does not know (a vehicle plate) stays as typed.
    if (rs.RecordCount() < 1) return;
    rs.MoveFirst();
    const ado::Variant other = rs.Fields().Item(0).Value();
    SetText(byNumber ? kNameCombo : kNumberCombo,
            other.IsNull() ? wxString() : wxString::FromUTF8(other.ToString()).Trim());
}

void CLedgerDlg::OnSelectNumber() {
    const wxString number = Combo(kNumberCombo)->GetStringSelection();
    if (number.empty()) return;
    SetText(kNumberCombo, number);
    m_nActiveCombo = 1;
    SetText(kAmountEdit, wxString()); // an amount typed for another partner
    LoadEntries(number, U("编号"));
    ado::Recordset* rs = m_dsEntries.IsOpen() ? m_dsEntries.m_pRecordset.get() : nullptr;
    if (rs && rs->RecordCount() > 0) {
        rs->MoveLast();
        SetText(kNameCombo, FieldText(*rs, "单位"));
    }
    ShowBalances(CLedgerSums::Statement(U("编号"), number));
}

void CLedgerDlg::OnSelectName() {
    const wxString name = Combo(kNameCombo)->GetStringSelection();
    if (name.empty()) return;
    SetText(kNameCombo, name);
    m_nActiveCombo = 2;
    SetText(kAmountEdit, wxString()); // an amount typed for another partner
    LoadEntries(name, U("单位"));
    ado::Recordset* rs = m_dsEntries.IsOpen() ? m_dsEntries.m_pRecordset.get() : nullptr;
    if (rs && rs->RecordCount() > 0) {
        rs->MoveLast();
        SetText(kNumberCombo, FieldText(*rs, "编号"));
    }
    ShowBalances(CLedgerSums::Statement(U("单位"), name));
}

void CLedgerDlg::OnSelectArea() {
    const wxString area = Combo(kAreaCombo)->GetStringSelection();
    if (area.empty()) return;
    SetText(kAreaCombo, area);
    m_nActiveCombo = 0;
    m_bFilling = true;
    for (int id : {int(kNumberCombo), int(kNameCombo)}) {
        Combo(id)->Clear();
        Combo(id)->ChangeValue(wxString());
    }
    m_bFilling = false;
    SetText(kAmountEdit, wxString());
    if (area == CPartnerLedger::All()) {
        FillUnitCombos();
        LoadEntries(CPartnerLedger::All(), U("单位"));
        ShowBalances(CLedgerSums::AllStatement());
        return;
    }
    m_bFilling = true;
    CDataSet lists;
    lists.FillComboBox(CPartnerLedger::AreaPartnersStatement(U("编号"), area), Combo(kNumberCombo));
    lists.FillComboBox(CPartnerLedger::AreaPartnersStatement(U("单位"), area), Combo(kNameCombo));
    m_bFilling = false;
    m_dsEntries.Open(CPartnerLedger::AreaEntriesStatement(area));
    BindHistory(7);
    ShowBalances(CPartnerLedger::AreaSumsStatement(area));
}

void CLedgerDlg::OnSelectFilter() {
    const wxString item = Combo(kFilterCombo)->GetStringSelection();
    if (item.empty()) return;
    m_nActiveCombo = 0;
    const bool source =
        item == U("维修") || item == U("配件") || item == U("整车") || item == U("(其它)");
    if (item == CPartnerLedger::All()) {
        LoadEntries(item, U("类别"));
        ShowBalances(CLedgerSums::AllStatement());
        return;
    }
    const wxString field = source ? U("来源") : U("类别");
    LoadEntries(item, field);
    ShowBalances(CLedgerSums::Statement(field, source ? CPartnerLedger::StoredSource(item) : item));
}

void CLedgerDlg::ClosePicker() {
    if (m_pPickDlg) m_pPickDlg->Destroy();
    m_pPickDlg = nullptr;
}

void CLedgerDlg::ShowNamePicker() {
    m_frame.m_hPickTarget = this;
    wxComboBox* combo = Combo(m_nActiveCombo == 1 ? kNumberCombo : kNameCombo);
    const wxString typed = combo->GetValue();
    if (m_nActiveCombo == 2 && !m_names.empty() && !typed.empty()) {
        std::vector<wxString> matches;
        for (const wxString& name : m_names)
            if (name.Contains(typed)) matches.push_back(name);
        if (matches.empty()) {
            ClosePicker();
        } else {
            if (!m_pPickDlg) m_pPickDlg = new CItemPickDlg;
            m_pPickDlg->DeleteAllItems();
            for (const wxString& match : matches)
                m_pPickDlg->AddItem(match);
            m_pPickDlg->ShowWithoutActivating();
        }
    }
    combo->SetFocus();
    combo->SetInsertionPointEnd();
}

void CLedgerDlg::OnNotice(COwnerNoticeEvent& event) {
    if (event.GetLParam() == CItemPickDlg::kClose) {
        ClosePicker();
        return;
    }
    if (event.GetLParam() != CItemPickDlg::kChosen) return;
    const wxString chosen = event.GetText();
    switch (m_nActiveCombo) {
    case 0:
        SetText(kAreaCombo, chosen);
        break;
    case 1:
        SetText(kNumberCombo, chosen);
        if (!chosen.empty()) {
            SetText(kAmountEdit, wxString());
            LoadEntries(chosen, U("编号"));
            ShowBalances(CLedgerSums::Statement(U("编号"), chosen));
        }
        break;
    default:
        SetText(kNameCombo, chosen);
        if (!chosen.empty()) {
            SetText(kAmountEdit, wxString());
            LoadEntries(chosen, U("单位"));
            ShowBalances(CLedgerSums::Statement(U("单位"), chosen));
        }
        break;
    }
}

void CLedgerDlg::OnCharHook(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if (m_pPickDlg && (key == WXK_DOWN || key == WXK_UP || key == WXK_PAGEDOWN)) {
        m_frame.m_hPickTarget = this;
        m_pPickDlg->EnterList();
        return;
    }
    event.Skip();
}

void CLedgerDlg::OnHistoryNotify(CGridNotifyEvent& event) {
    if (event.code == GVN_SELCHANGED) ShowRelatedItems();
    event.Skip();
}

void CLedgerDlg::ShowRelatedItems() {
    const int row = m_gridHistory->GetFocusCell().row;
    if (row == m_nRelatedRow) return;
    m_nRelatedRow = row;
    m_gridRelated->m_rsBound.reset();
    m_gridRelated->DeleteNonFixedRows();
    m_gridRelated->Refresh();
    if (row <= 0 || !m_gridHistory->MoveToRowRecord(row)) return;
    // The row's values come from its record, not from the grid's display texts.
    ado::Recordset& rs = *m_gridHistory->m_rsBound;
    const wxString statement = CPartnerLedger::RelatedStatement(
        FieldText(rs, "单位"), FieldText(rs, "类别"), FieldText(rs, "来源"), FieldText(rs, "方式"),
        FieldText(rs, "备注"), FieldDate(rs, "日期"));
    if (statement.empty()) return;
    m_dsRelated.Open(statement);
    if (!m_dsRelated.IsOpen()) return;
    data_grid::LoadGrid(m_frame.m_dsMain, m_dsRelated.m_pRecordset, m_gridRelated, wxString(),
                        wxString(), 4, 0);
    m_gridRelated->m_rsBound = m_dsRelated.m_pRecordset;
    m_gridRelated->Refresh();
}

void CLedgerDlg::OnDeleteEntry() {
    const int row = m_gridHistory->GetFocusCell().row;
    if (row <= 0 || !m_gridHistory->m_rsBound) return;
    if (platform::ShowMessageBox("真要删除该记录吗？", "", platform::MB_YESNO) != platform::IDYES)
        return;
    // The record the row shows, whatever order the grid is sorted in.
    if (!m_gridHistory->MoveToRowRecord(row)) return;
    const ado::Variant no = m_gridHistory->m_rsBound->Fields().Item("no").Value();
    if (no.IsNull() || !CPartnerLedger::DeleteEntry(long(no.ToInt64()))) return;
    m_gridHistory->m_rsBound->Delete(ado::adAffectCurrent);
    m_gridHistory->DeleteRowAndRenumber(row);
    m_nRelatedRow = -1;
    if (m_gridHistory->GetRowCount() > 1) m_gridHistory->SelectRow(std::max(1, row - 1));
    m_gridHistory->Refresh();
}

void CLedgerDlg::OnClearEmptyAccounts() {
    if (platform::ShowMessageBox("帐面余额为零的单位将会被删除,是否继续?", "",
                                 platform::MB_YESNO) != platform::IDYES)
        return;
    std::vector<wxString> names;
    for (unsigned i = 0; i < Combo(kNameCombo)->GetCount(); ++i)
        names.push_back(Combo(kNameCombo)->GetString(i).Strip(wxString::both));
    CPartnerLedger::ClearEmptyAccounts(names);
}

void CLedgerDlg::OnFind() {
    m_frame.m_strShared = m_gridHistory->GetTableName();
    m_gridHistory->MakeCurrentGrid();
    CFuzzySearchDlg search(nullptr, &m_frame);
    if (search.ShowModal() == wxID_OK) {
        CWaitCursor wait;
        m_dsEntries.Open(m_frame.m_strShared);
        BindHistory(7);
    }
    m_frame.m_strShared.clear();
}

void CLedgerDlg::Print(CGridCtrl* grid) {
    if (m_pPrintDlg) m_pPrintDlg->Destroy();
    grid->MakeCurrentGrid();
    m_pPrintDlg = new CPrintOptionsDlg(this, grid);
    m_pPrintDlg->Show();
}

void CLedgerDlg::OnPrint() {
    Print(m_gridHistory);
}

void CLedgerDlg::OnPrintRelated() {
    Print(m_gridRelated);
}

void CLedgerDlg::OnExit() {
    if (m_gridHistory->m_bSizesChanged || !m_gridHistory->m_strTitle.empty())
        m_dsEntries.SaveColumnWidths(m_gridHistory);
    EndModal(wxID_CANCEL);
}
