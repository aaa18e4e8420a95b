#include "office/cash_journal_dlg.h"

#include "app/fuzzy_search_dlg.h"
#include "app/main_frame.h"
#include "data/wait_cursor.h"
#include "grid/data_set_grid.h"
#include "grid/grid_ctrl.h"
#include "grid/print_options_dlg.h"
#include "grid/print_texts.h"
#include "office/cash_journal.h"
#include "office/office_forms.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "res/partner_template.h"

#include <wx/combobox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

using namespace res::cash_journal;
using office::CCashJournal;

namespace office {

void RegisterCashJournal() {
    CMainFrame::RegisterForm(FormKind::CashJournal, [](CMainFrame& frame, int mode,
                                                       const wxString&) {
        CCashJournalDlg dialog(frame, mode == CCashJournal::Assets ? mode : CCashJournal::Journal);
        dialog.ShowModal();
    });
}

} // namespace office

namespace {

wxString Today() {
    return wxDateTime::Today().Format("%Y-%m-%d");
}

} // namespace

CCashJournalDlg::CCashJournalDlg(CMainFrame& frame, int mode)
    : wxDialog(&frame, wxID_ANY, wxEmptyString), m_nMode(mode), m_frame(frame) {
    CGridCtrl::RegisterGridClass();
    res::BuildDialog(this, res::CashJournalTemplate());
    m_grid = res::Control<CGridCtrl>(this, kGrid);
    m_grid->ResetToCorner();
    m_grid->SetItemText(0, 0, " ");
    m_grid->m_nHelpContext = mode == CCashJournal::Assets ? kFixedAssetsHelp : kDialogId;
    m_grid->m_strTitle = CCashJournal::Title(mode);
    res::Control<wxTextCtrl>(this, kFromEdit)->ChangeValue(Today());
    res::Control<wxTextCtrl>(this, kToEdit)->ChangeValue(Today());
    auto* label = res::Control<wxStaticText>(this, kCostLabel);
    if (mode == CCashJournal::Assets) {
        res::Control<wxTextCtrl>(this, kFromEdit)
            ->ChangeValue((wxDateTime::Today() - wxDateSpan::Days(7300)).Format("%Y-%m-%d"));
        SetTitle(CCashJournal::Title(mode));
        res::Control<wxStaticText>(this, kTotalLabel)->SetLabel(U("现值"));
        res::FindControl(this, kCostEdit)->Show();
    } else {
        label->SetLabel(U("经手"));
        auto* handlers = res::Control<wxComboBox>(this, kHandlerCombo);
        m_dataSet.FillComboBox(U("select distinct 姓名 from ygk"), handlers);
        handlers->Show();
        handlers->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) { OnSelChangeHandler(); });
    }
    label->Show();
    res::BindButton(this, kAddButton, &CCashJournalDlg::OnAdd);
    res::BindButton(this, kDeleteButton, &CCashJournalDlg::OnDelete);
    res::BindButton(this, kEditButton, &CCashJournalDlg::OnEdit);
    res::BindButton(this, kPrintButton, &CCashJournalDlg::OnPrint);
    res::BindButton(this, kSaveButton, &CCashJournalDlg::OnSave);
    res::BindButton(this, kCancelButton, &CCashJournalDlg::OnCancel);
    res::BindButton(this, kExitButton, &CCashJournalDlg::OnExit);
    res::BindButton(this, kFindButton, &CCashJournalDlg::OnFuzzySearch);
    res::BindButton(this, kQueryButton, &CCashJournalDlg::Query);
    for (int id : {int(kFromEdit), int(kToEdit)})
        res::FindControl(this, id)->Bind(wxEVT_KILL_FOCUS, [this, id](wxFocusEvent& event) {
            NormaliseDate(id);
            event.Skip();
        });
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { OnExit(); });
    SetPending(false);
    Query();
    Centre();
}

CCashJournalDlg::~CCashJournalDlg() {
    if (m_pPrintDlg) m_pPrintDlg->Destroy();
    m_grid->m_rsBound.reset();
    if (CGridCtrl::GetCurrentGrid() == m_grid) CGridCtrl::ForgetCurrentGrid();
}

bool CCashJournalDlg::IsPending() const {
    return res::FindControl(this, kSaveButton)->IsEnabled();
}

void CCashJournalDlg::SetPending(bool pending) {
    res::FindControl(this, kSaveButton)->Enable(pending);
    res::FindControl(this, kCancelButton)->Enable(pending);
    m_grid->SetEditMode(pending);
}

void CCashJournalDlg::NormaliseDate(int editId) {
    auto* edit = res::Control<wxTextCtrl>(this, editId);
    const wxString checked = CDataSet::CheckValue(edit->GetValue(), 133, 8);
    if (checked != edit->GetValue()) edit->ChangeValue(checked);
}

void CCashJournalDlg::Load(const wxString& statement) {
    m_grid->m_rsBound.reset();
    m_grid->DeleteNonFixedRows();
    m_grid->SetTableName(CCashJournal::Table(m_nMode));
    m_dataSet.Open(statement);
    if (m_dataSet.IsOpen()) {
        data_grid::LoadGrid(m_dataSet, m_dataSet.m_pRecordset, m_grid, wxString(), wxString(),
                            CCashJournal::FieldCount(m_nMode), 0);
        m_grid->m_rsBound = m_dataSet.m_pRecordset;
    }
    m_grid->Refresh();
}

void CCashJournalDlg::Query() {
    if (IsPending()) {
        if (platform::ShowMessageBox("数据还未存档，是否保存?", "", platform::MB_YESNO) ==
            platform::IDYES)
            OnSave();
    }
    SetPending(false);
    const wxString from = res::Control<wxTextCtrl>(this, kFromEdit)->GetValue().Strip();
    const wxString to = res::Control<wxTextCtrl>(this, kToEdit)->GetValue().Strip();
    const wxString statement = CCashJournal::RangeStatement(m_nMode, from, to);
    if (statement.empty()) {
        platform::ShowMessageBox("日期不对，可能月份或天数不正确。");
        return;
    }
    Load(statement);
    UpdateTotals();
}

int CCashJournalDlg::Column(const wxString& title) const {
    for (int col = 1; col < m_grid->GetColumnCount(); ++col)
        if (m_grid->GetItemText(0, col) == title) return col;
    return -1;
}

void CCashJournalDlg::UpdateTotals() {
    double first = 0, cost = 0;
    const int amountCol = Column(U("金额"));
    const int quantityCol = Column(U("数量")), priceCol = Column(U("单价"));
    const int rateCol = Column(U("净残值率")), yearsCol = Column(U("使用年限"));
    const int dateCol = Column(CCashJournal::DateField(m_nMode));
    auto cell = [this](int row, int col) {
        return col < 0 ? wxString() : m_grid->GetItemText(row, col).Strip(wxString::both);
    };
    auto whole = [&](int row, int col) {
        long value = -1;
        const wxString text = cell(row, col);
        return text.empty() || !text.ToLong(&value) ? -1 : int(value);
    };
    const wxDateTime today = wxDateTime::Today();
    for (int row = 1; row < m_grid->GetRowCount(); ++row) {
        if (m_nMode != CCashJournal::Assets) {
            double amount = 0;
            if (cell(row, amountCol).ToCDouble(&amount)) first += amount;
            continue;
        }
        CCashJournal::Asset asset;
        if (!cell(row, priceCol).ToCDouble(&asset.price)) continue;
        asset.quantity = whole(row, quantityCol);
        asset.residualRate = whole(row, rateCol);
        asset.years = whole(row, yearsCol);
        wxString::const_iterator end;
        const wxString day = cell(row, dateCol);
        if (!asset.bought.ParseFormat(day, "%Y-%m-%d", &end)) asset.bought = wxDateTime();
        double present = 0, value = 0;
        if (CCashJournal::Value(asset, today, &present, &value)) {
            first += present;
            cost += value;
        }
    }
    res::Control<wxTextCtrl>(this, kTotalEdit)->ChangeValue(MoneyText(first));
    res::Control<wxTextCtrl>(this, kCostEdit)->ChangeValue(MoneyText(cost));
}

void CCashJournalDlg::OnAdd() {
    const ado::RecordsetPtr& rs = m_grid->m_rsBound;
    if (!rs) return;
    m_grid->AppendNewRecord();
    const int row = m_grid->GetRowCount() - 1;
    try {
        rs->AddNew();
        m_dataSet.PutFieldValue(wxString::Format("%d", -row), "no", rs);
        m_dataSet.PutFieldValue(Today(), CCashJournal::DateField(m_nMode), rs);
        if (m_nMode == CCashJournal::Assets) {
            m_dataSet.PutFieldValue("1", U("数量"), rs);
            m_dataSet.PutFieldValue("4", U("净残值率"), rs);
        }
        m_grid->SetRowRecord(row, long(rs->Bookmark().ToDouble()));
    } catch (const ado::ComError& error) {
        CDataSet::ShowComError(error);
        m_grid->DeleteRow(row);
        m_grid->Refresh();
        return;
    }
    const int dateCol = Column(CCashJournal::DateField(m_nMode));
    if (dateCol > 0) m_grid->SetItemText(row, dateCol, Today());
    if (m_nMode == CCashJournal::Assets) {
        if (Column(U("数量")) > 0) m_grid->SetItemText(row, Column(U("数量")), "1");
        if (Column(U("净残值率")) > 0) m_grid->SetItemText(row, Column(U("净残值率")), "4");
    }
    SetPending(true);
    m_grid->SelectRow(row);
    m_grid->SetItemText(row, 1, wxString());
    if (m_nMode != CCashJournal::Assets) OnSelChangeHandler();
    m_grid->Refresh();
}

void CCashJournalDlg::OnSelChangeHandler() {
    const int row = m_grid->GetFocusCell().row;
    const int col = Column(U("经手人"));
    if (row < 1 || col < 0) return;
    const wxString handler = res::Control<wxComboBox>(this, kHandlerCombo)->GetStringSelection();
    m_grid->SetItemText(row, col, handler);
    // The record the row shows, however the grid is sorted; it waits for 存档.
    m_grid->PutFieldText(col, row, handler);
    SetPending(true);
}

void CCashJournalDlg::OnDelete() {
    res::FindControl(this, kSaveButton)->SetFocus();
    const int rows = m_grid->GetRowCount();
    if (m_grid->DeleteSelectedRecord() && m_grid->GetRowCount() < rows) SetPending(true);
    UpdateTotals();
}

void CCashJournalDlg::OnEdit() {
    SetPending(true);
}

void CCashJournalDlg::OnSave() {
    Save();
}

bool CCashJournalDlg::Save() {
    const ado::RecordsetPtr& rs = m_grid->m_rsBound;
    if (!rs) return true;
    m_dataSet.NumberRows(rs, CCashJournal::Table(m_nMode));
    const bool saved = m_dataSet.Save(rs) == 1;
    SetPending(false);
    // A failed save has been reported and dropped: the list shows what the table holds.
    if (!saved)
        Query();
    else
        UpdateTotals();
    return saved;
}

void CCashJournalDlg::OnCancel() {
    SetPending(false);
    Query();
    m_grid->SetFocus();
}

void CCashJournalDlg::OnExit() {
    if (IsPending()) {
        const int answer =
            platform::ShowMessageBox("数据还未存档，是否保存?", "", platform::MB_YESNOCANCEL);
        if (answer == platform::IDCANCEL) return;
        // After a failed save the window stays, showing what the table holds.
        if (answer == platform::IDYES && !Save()) return;
    }
    if (m_grid->m_bSizesChanged || !m_grid->m_strTitle.empty()) m_dataSet.SaveColumnWidths(m_grid);
    if (IsModal())
        EndModal(wxID_OK);
    else
        Destroy();
}

void CCashJournalDlg::OnFuzzySearch() {
    m_frame.m_strShared = m_grid->GetTableName();
    m_grid->MakeCurrentGrid();
    CFuzzySearchDlg search(nullptr, &m_frame);
    if (search.ShowModal() == wxID_OK) {
        CWaitCursor wait;
        m_grid->ResetToCorner();
        Load(m_frame.m_strShared);
    }
    UpdateTotals();
    m_frame.m_strShared.clear();
}

void CCashJournalDlg::OnPrint() {
    if (m_pPrintDlg) m_pPrintDlg->Destroy();
    m_grid->MakeCurrentGrid();
    for (wxString& text : m_grid->PrintTexts)
        text.clear();
    // Each register prints under its own name.
    m_grid->PrintTexts[print_texts::kDocumentKind] = CCashJournal::Title(m_nMode);
    m_pPrintDlg = new CPrintOptionsDlg(this, m_grid);
    m_pPrintDlg->Show();
}
