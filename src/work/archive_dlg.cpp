#include "work/archive_dlg.h"

#include "app/fuzzy_search_dlg.h"
#include "app/main_frame.h"
#include "data/wait_cursor.h"
#include "grid/data_set_grid.h"
#include "grid/grid_ctrl.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "res/archive_template.h"
#include "res/control_ids.h"
#include "work/active_sheet.h"

#include <wx/button.h>
#include <wx/datetime.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

using namespace res::archive;
using Mode = CArchiveQuery::Mode;

namespace {

bool HasField(const ado::RecordsetPtr& rs, const char* name) {
    ado::Fields& fields = rs->Fields();
    for (long i = 0; i < fields.Count(); ++i)
        if (fields.Item(static_cast<int>(i)).Name() == name) return true;
    return false;
}

int ColumnOfTitle(const CGridCtrl& grid, const wxString& title) {
    for (int col = 1; col < grid.GetColumnCount(); ++col)
        if (grid.GetItemText(0, col) == title) return col;
    return -1;
}

} // namespace

void wxda::Register() {
    const struct {
        FormKind kind;
        Mode mode;
    } kinds[] = {{FormKind::RepairArchive, Mode::Repair}, {FormKind::SalesArchive, Mode::Sales}};
    for (const auto& kind : kinds) {
        const Mode mode = kind.mode;
        CMainFrame::RegisterForm(kind.kind, [mode](CMainFrame& frame, int form,
                                                   const wxString& text) {
            // The statistics hand over their date range, "from,to" (repair kind, mode 1).
            if (mode == Mode::Repair && form == 1) {
                frame.m_strShared = text;
                wxda dialog(nullptr, Mode::Statistics, text);
                dialog.ShowModal();
                return;
            }
            // From the menu: the customer of the active card of the archive's kind.
            const wxString customer =
                text.empty() ? active_sheet::PageCustomer(mode == Mode::Sales ? 'P' : 'W') : text;
            frame.m_strShared = customer;
            wxda dialog(nullptr, mode, customer);
            dialog.ShowModal();
        });
    }
}

wxda::wxda(wxWindow* parent, Mode mode, const wxString& text)
    : wxDialog(parent, wxID_ANY, wxEmptyString), m_mode(mode) {
    CGridCtrl::RegisterGridClass();
    res::BuildDialog(this, res::ArchiveTemplate());
    m_pGrid = res::Control<CGridCtrl>(this, kGrid);
    m_pGrid->ResetToCorner();
    m_pGrid->SetItemText(0, 0, " ");

    if (m_mode == Mode::Statistics) {
        const wxString statement = CArchiveQuery::RangeStatement(text);
        if (statement.empty()) platform::ShowMessageBox("日期不对，可能月份或天数不正确。");
        Load(statement.empty() ? CArchiveQuery::LookupStatement(m_mode, wxString()) : statement);
    } else {
        Query(text == active_sheet::WalkIn() ? wxString() : text);
    }
    EnableSave(false);
    CMainFrame* frame = CMainFrame::Get();
    if (m_mode == Mode::Sales) {
        res::Control<wxStaticText>(this, kCustomerLabel)->SetLabel(U("单位"));
        SetTitle(U("零件售货单"));
        m_pGrid->m_strTitle = U("零件售货单");
    } else {
        m_pGrid->m_strTitle = U("维修清单");
    }
    const int token = m_mode == Mode::Sales ? 51 : 50;
    if (frame && frame->IsTokenDenied(token))
        for (int id : {kNewButton, kDeleteButton, kModifyButton})
            res::FindControl(this, id)->Disable();
    ShowTotals();
    const bool fuzzy =
        frame && (m_mode == Mode::Sales ? frame->CheckRight(20) && frame->CheckRight(15)
                                        : frame->CheckRight(6) && frame->CheckRight(36));
    res::FindControl(this, kFuzzyButton)->Show(fuzzy);

    res::BindButton(this, kNewButton, &wxda::OnNew);
    res::BindButton(this, kDeleteButton, &wxda::OnDelete);
    res::BindButton(this, kModifyButton, &wxda::OnModify);
    res::BindButton(this, kPrintButton, &wxda::OnPrint);
    res::BindButton(this, kSaveButton, &wxda::OnSave);
    res::BindButton(this, res::IDCANCEL, &wxda::OnDiscard);
    res::BindButton(this, kExitButton, &wxda::OnExit);
    res::BindButton(this, kFuzzyButton, &wxda::OnFuzzySearch);
    Bind(wxEVT_CHAR_HOOK, &wxda::OnCharHook, this);
    // The close box ends the dialog as 退出 does; 取消 (and Escape) only discards.
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { OnExit(); });
    Centre();
}

void wxda::Query(const wxString& text) {
    if (text.Contains("'")) {
        platform::ShowMessageBox("查询值中不能包含单引号！查询失败。");
    } else {
        m_strCustomer = text.Strip(wxString::both);
        Load(CArchiveQuery::LookupStatement(m_mode, m_strCustomer));
    }
    ShowTotals();
    res::FindControl(this, kCustomerEdit)->SetFocus();
}

void wxda::Load(const wxString& statement) {
    {
        CWaitCursor wait;
        m_ds.Open(statement);
    }
    if (!m_ds.IsOpen()) return; // reported; the grid keeps its rows
    m_strStatement = statement;
    m_pGrid->ResetToCorner();
    // The widths are read and kept under one name per kind of list.
    m_pGrid->SetTableName(CArchiveQuery::WidthKey(m_mode));
    data_grid::LoadGrid(m_ds, m_ds.m_pRecordset, m_pGrid, wxString(), wxString(),
                        CArchiveQuery::ColumnCount(m_mode), 0);
    m_pGrid->SetTableName("ljsh");
    m_pGrid->Refresh();
}

void wxda::ShowTotals() {
    const int quantity = ColumnOfTitle(*m_pGrid, U("数量"));
    const int price = ColumnOfTitle(*m_pGrid, U("单价"));
    if (m_pGrid->GetRowCount() < 2 || quantity < 0 || price < 0) return;
    std::vector<std::pair<wxString, wxString>> rows;
    for (int row = 1; row < m_pGrid->GetRowCount(); ++row)
        rows.emplace_back(m_pGrid->GetItemText(row, quantity), m_pGrid->GetItemText(row, price));
    res::Control<wxTextCtrl>(this, kTotalEdit)->ChangeValue(MoneyText(CArchiveQuery::Total(rows)));
}

void wxda::EnableSave(bool enable) {
    res::FindControl(this, kSaveButton)->Enable(enable);
    res::FindControl(this, res::IDCANCEL)->Enable(enable);
}

void wxda::OnNew() {
    const ado::RecordsetPtr& rs = m_ds.m_pRecordset;
    if (!m_ds.IsOpen()) return;
    m_pGrid->AppendNewRecord();
    const int rows = m_pGrid->GetRowCount();
    const int row = rows - 1;
    rs->AddNew();
    m_ds.PutFieldValue(wxString::Format("%d", 1 - rows), "no", rs);
    // A new line belongs to the customer looked up; with none, the operator types it.
    if (!m_strCustomer.empty()) m_ds.PutFieldValue(m_strCustomer, U("客户"), rs);
    if (HasField(rs, "flag")) m_ds.PutFieldValue(m_mode == Mode::Sales ? "P" : "W", "flag", rs);
    if (rows > 2) m_pGrid->SaveRowToRecord(row - 1, rs->RecordCount());
    rs->MoveLast();
    const ado::Variant date = rs->Fields().Item(U("日期").utf8_string()).Value();
    if (date.IsNull() || date.IsEmpty() || date.ToDate() <= 0)
        m_ds.PutFieldValue(wxDateTime::Today().Format("%Y-%m-%d"), U("日期"), rs);
    m_pGrid->FillRowFromRecord(row);
    m_pGrid->EnsureVisible(row, 1);
    m_pGrid->SelectRow(row);
    EnableSave(true);
    m_pGrid->Refresh();
}

void wxda::OnDelete() {
    res::FindControl(this, kSaveButton)->SetFocus();
    if (m_pGrid->DeleteSelectedRecord()) EnableSave(true);
    ShowTotals();
}

void wxda::OnModify() {
    EnableSave(true);
    m_pGrid->SetEditMode(true);
}

void wxda::OnSave() {
    const ado::RecordsetPtr& rs = m_ds.m_pRecordset;
    if (!m_ds.IsOpen()) return;
    // Every line names its customer: a line without one could never be found again.
    for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext()) {
        const ado::Variant customer = rs->Fields().Item(U("客户").utf8_string()).Value();
        if (customer.IsNull() || wxString::FromUTF8(customer.ToString()).Strip().empty()) {
            platform::ShowMessageBox("客户不能为空，请填写后再存档！");
            return;
        }
    }
    CDataSet numbering;
    numbering.NumberRows(rs, "ljsh");
    if (!numbering.Save(rs)) {
        // The batch was dropped and reported: the grid shows what the table holds.
        Load(m_strStatement);
    }
    EnableSave(false);
    m_pGrid->SetEditMode(false);
    ShowTotals();
}

void wxda::OnDiscard() {
    res::FindControl(this, kSaveButton)->SetFocus();
    EnableSave(false);
    if (!m_ds.IsOpen()) return;
    m_ds.m_pRecordset->CancelBatch();
    m_pGrid->SetTableName(CArchiveQuery::WidthKey(m_mode));
    data_grid::LoadGrid(m_ds, m_ds.m_pRecordset, m_pGrid, wxString(), wxString(),
                        CArchiveQuery::ColumnCount(m_mode), 0);
    m_pGrid->SetTableName("ljsh");
    m_pGrid->SetEditMode(false);
    ShowTotals();
}

void wxda::OnExit() {
    if ((m_pGrid->m_bSizesChanged && !m_pGrid->GetTableName().empty()) ||
        !m_pGrid->m_strTitle.empty()) {
        m_pGrid->SetTableName(CArchiveQuery::WidthKey(m_mode));
        m_ds.SaveColumnWidths(m_pGrid);
        m_pGrid->SetTableName("ljsh");
    }
    if (IsModal())
        EndModal(wxID_OK);
    else
        Destroy();
}

void wxda::OnPrint() {
    if (m_mode == Mode::Repair) {
        for (wxString& text : m_pGrid->PrintTexts)
            text.clear();
        m_pGrid->PrintTexts[17] = U("维修清单");
    }
    m_print.Open(m_pGrid);
}

void wxda::OnFuzzySearch() {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame) return;
    frame->m_strShared = m_pGrid->GetTableName();
    m_pGrid->MakeCurrentGrid();
    CFuzzySearchDlg search(nullptr, frame);
    search.m_nMode = m_mode == Mode::Statistics ? 4 : m_mode == Mode::Repair ? 1 : 2;
    if (search.ShowModal() == wxID_OK) Load(frame->m_strShared);
    ShowTotals();
    res::Control<wxTextCtrl>(this, kCustomerEdit)->ChangeValue(wxString());
    frame->m_strShared.clear();
}

void wxda::OnCharHook(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    const bool enter = key == WXK_RETURN || key == WXK_NUMPAD_ENTER;
    auto* edit = res::Control<wxTextCtrl>(this, kCustomerEdit);
    if ((enter || key == WXK_DOWN) && FindFocus() == edit) {
        if (CMainFrame* frame = CMainFrame::Get()) frame->m_strShared = U("客户");
        Query(edit->GetValue().Strip(wxString::both));
        return;
    }
    // Enter presses a focused button but never closes the dialog by itself.
    if (enter && !dynamic_cast<wxButton*>(FindFocus())) return;
    event.Skip();
}
