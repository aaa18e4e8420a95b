#include "parts/transfer_record_dlg.h"

#include "app/fuzzy_search_dlg.h"
#include "app/main_frame.h"
#include "data/wait_cursor.h"
#include "grid/data_set_grid.h"
#include "grid/grid_ctrl.h"
#include "grid/print_options_dlg.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "res/order_page_template.h"
#include "work/guarded.h"

#include <wx/combobox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

using namespace res::transfer_records;

CTransferRecordDlg::CTransferRecordDlg(CMainFrame& frame, int mode)
    : wxDialog(&frame, wxID_ANY, wxEmptyString), m_frame(frame), m_records(mode) {
    CGridCtrl::RegisterGridClass();
    res::BuildDialog(this, res::TransferRecordsTemplate());
    m_grid = res::Control<CGridCtrl>(this, kGrid);
    m_grid->ResetToCorner();
    m_grid->SetItemText(0, 0, " ");
    m_grid->m_nHelpContext = kDialogId;
    m_grid->SetTableName(m_records.Table());
    m_grid->m_strReportName = m_records.ReportName();
    SetTitle(m_records.Caption());
    res::Control<wxStaticText>(this, kFilterLabel)->SetLabel(m_records.FilterField());
    const wxDateTime today = wxDateTime::Today();
    res::Control<wxTextCtrl>(this, kToEdit)->ChangeValue(today.Format("%Y-%m-%d"));
    res::Control<wxTextCtrl>(this, kFromEdit)
        ->ChangeValue((today - wxDateSpan::Days(365)).Format("%Y-%m-%d"));
    auto* combo = res::Control<wxComboBox>(this, kFilterCombo);
    combo->Append(U("全部"));
    combo->SetValue(U("全部"));
    m_dataSet.FillComboBox(m_records.ComboStatement(), combo);

    const auto button = [this](int id, void (CTransferRecordDlg::*handler)()) {
        Bind(
            wxEVT_BUTTON,
            [this, handler](wxCommandEvent&) { work::Guarded([&] { (this->*handler)(); }); },
            res::ToWxId(id));
    };
    button(kSaveButton, &CTransferRecordDlg::OnOK);
    button(kCancelButton, &CTransferRecordDlg::OnCancel);
    button(kModifyButton, &CTransferRecordDlg::OnModify);
    button(kDeleteButton, &CTransferRecordDlg::OnDelete);
    button(kExitButton, &CTransferRecordDlg::OnExit);
    button(kPrintButton, &CTransferRecordDlg::OnPrint);
    button(kFindButton, &CTransferRecordDlg::OnFuzzySearch);
    combo->Bind(wxEVT_COMBOBOX,
                [this](wxCommandEvent&) { work::Guarded([this] { OnSelChangeStore(); }); });
    for (int id : {int(kFromEdit), int(kToEdit)})
        res::FindControl(this, id)->Bind(wxEVT_KILL_FOCUS, [this, id](wxFocusEvent& event) {
            NormaliseDate(id);
            event.Skip();
        });
    // Esc cancels the pending edits as 取消 does; the list closes through 退出 only.
    SetEscapeId(wxID_NONE);
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        if (event.GetKeyCode() == WXK_ESCAPE)
            work::Guarded([this] { OnCancel(); });
        else
            event.Skip();
    });
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { work::Guarded([this] { OnExit(); }); });
    work::Guarded([this] { Load(m_records.AllStatement()); });
    Centre();
}

CTransferRecordDlg::~CTransferRecordDlg() {
    if (m_pPrintDlg) m_pPrintDlg->Destroy();
    m_grid->m_rsBound.reset();
    if (CGridCtrl::GetCurrentGrid() == m_grid) CGridCtrl::ForgetCurrentGrid();
}

void CTransferRecordDlg::Register() {
    CMainFrame::RegisterForm(FormKind::TransferRecords,
                             [](CMainFrame& frame, int mode, const wxString&) {
                                 CTransferRecordDlg dialog(frame, mode);
                                 dialog.ShowModal();
                             });
}

void CTransferRecordDlg::SetPending(bool pending) {
    res::FindControl(this, kSaveButton)->Enable(pending);
    res::FindControl(this, kCancelButton)->Enable(pending);
}

void CTransferRecordDlg::NormaliseDate(int editId) {
    auto* edit = res::Control<wxTextCtrl>(this, editId);
    const wxString checked = CDataSet::CheckValue(edit->GetValue(), 133, 8);
    if (checked != edit->GetValue()) edit->ChangeValue(checked);
}

void CTransferRecordDlg::Load(const wxString& statement) {
    m_grid->m_rsBound.reset();
    m_grid->ResetToCorner();
    m_grid->SetItemText(0, 0, " ");
    m_grid->SetTableName(m_records.Table());
    m_dataSet.Open(statement);
    if (m_dataSet.IsOpen()) {
        data_grid::LoadGrid(m_dataSet, m_dataSet.m_pRecordset, m_grid, wxString(), wxString(),
                            m_records.ShownFields(), 0);
        m_grid->m_rsBound = m_dataSet.m_pRecordset;
    }
    m_grid->MakeCurrentGrid();
    SetPending(false);
    m_grid->SetEditMode(false);
    m_grid->Refresh();
}

void CTransferRecordDlg::OnSelChangeStore() {
    auto* combo = res::Control<wxComboBox>(this, kFilterCombo);
    if (combo->GetSelection() == wxNOT_FOUND) return;
    const wxString value = combo->GetString(combo->GetSelection());
    combo->SetValue(value);
    const wxString statement =
        m_records.FilterStatement(value, res::Control<wxTextCtrl>(this, kFromEdit)->GetValue(),
                                  res::Control<wxTextCtrl>(this, kToEdit)->GetValue());
    if (statement.empty()) {
        platform::ShowMessageBox("日期不对，可能月份或天数不正确。");
        return;
    }
    Load(statement);
    ShowTotal();
}

void CTransferRecordDlg::OnFuzzySearch() {
    m_frame.m_strShared = m_grid->GetTableName();
    m_grid->MakeCurrentGrid();
    CFuzzySearchDlg search(nullptr, &m_frame);
    if (search.ShowModal() == wxID_OK) {
        CWaitCursor wait;
        Load(m_frame.m_strShared);
        m_grid->m_strReportName = m_records.ReportName();
        ShowTotal();
    }
    m_frame.m_strShared.clear();
}

void CTransferRecordDlg::OnModify() {
    if (!m_grid->m_rsBound) return;
    SetPending(true);
    m_grid->SetEditMode(true);
}

void CTransferRecordDlg::OnDelete() {
    res::FindControl(this, kSaveButton)->SetFocus();
    const int rows = m_grid->GetRowCount();
    if (m_grid->DeleteSelectedRecord() && m_grid->GetRowCount() < rows) SetPending(true);
    ShowTotal();
}

void CTransferRecordDlg::OnOK() {
    const ado::RecordsetPtr rs = m_grid->m_rsBound;
    if (!rs) return;
    const bool saved = CDataSet().Save(rs) == 1;
    SetPending(false);
    m_grid->SetEditMode(false);
    // A failed save has been reported and its batch dropped: show the rows as loaded.
    if (!saved) Refill();
    ShowTotal();
}

void CTransferRecordDlg::Refill() {
    m_grid->ResetToCorner();
    m_grid->SetItemText(0, 0, " ");
    data_grid::LoadGrid(m_dataSet, m_grid->m_rsBound, m_grid, wxString(), wxString(),
                        m_records.ShownFields(), 0);
    m_grid->Refresh();
}

void CTransferRecordDlg::OnCancel() {
    res::FindControl(this, kSaveButton)->SetFocus();
    SetPending(false);
    m_grid->SetEditMode(false);
    const ado::RecordsetPtr rs = m_grid->m_rsBound;
    if (!rs) return;
    rs->CancelBatch(ado::adAffectAll);
    Refill();
    ShowTotal();
}

void CTransferRecordDlg::OnExit() {
    m_dataSet.SaveColumnWidths(m_grid);
    // Edits not saved with 存档 go with the recordset.
    if (m_grid->m_rsBound) m_grid->m_rsBound->CancelBatch(ado::adAffectAll);
    if (IsModal())
        EndModal(wxID_CANCEL);
    else
        Destroy();
}

void CTransferRecordDlg::OnPrint() {
    if (m_grid->GetColumnCount() <= 1) return;
    if (m_pPrintDlg) m_pPrintDlg->Destroy();
    m_grid->MakeCurrentGrid();
    m_pPrintDlg = new CPrintOptionsDlg(this, m_grid);
    m_pPrintDlg->Show();
}

int CTransferRecordDlg::Column(const wxString& title) const {
    for (int col = 1; col < m_grid->GetColumnCount(); ++col)
        if (m_grid->GetItemText(0, col) == title) return col;
    return -1;
}

void CTransferRecordDlg::ShowTotal() {
    int priceCol = -1;
    for (int col = 1; col < m_grid->GetColumnCount() && priceCol < 0; ++col)
        if (m_grid->GetItemText(0, col) == U("进价") || m_grid->GetItemText(0, col) == U("单价"))
            priceCol = col;
    const int quantityCol = Column(U("数量"));
    std::vector<std::pair<wxString, wxString>> rows;
    if (priceCol > 0 && quantityCol > 0)
        for (int row = 1; row < m_grid->GetRowCount(); ++row)
            rows.emplace_back(m_grid->GetItemText(row, priceCol),
                              m_grid->GetItemText(row, quantityCol));
    res::Control<wxStaticText>(this, kTotalStatic)
        ->SetLabel(parts::RecordsTotalText(parts::RecordsTotal(rows)));
}
