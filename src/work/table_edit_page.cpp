#include "work/table_edit_page.h"

#include "work/code_table_query.h"
#include "work/guarded.h"
#include "work/line_fields.h"
#include "work/page_layout.h"
#include "work/work_sheet.h"

#include "app/fuzzy_search_dlg.h"
#include "grid/grid_ctrl.h"
#include "res/code_table_template.h"
#include "res/control_ids.h"
#include "res/warranty_page_template.h"

#include <wx/combobox.h>

// The code-table page's ids; the warranty page's template gives its controls the same.
using namespace res::code_table;

namespace {

namespace warranty = res::warranty_page;
constexpr bool Same(int a, int b) {
    return a == b;
}
static_assert(Same(kGrid, warranty::kGrid) && Same(kFilterCombo, warranty::kCustomerCombo) &&
                  Same(kNewButton, warranty::kNewButton) &&
                  Same(kEditButton, warranty::kModifyButton) &&
                  Same(kDeleteButton, warranty::kDeleteButton) &&
                  Same(kPrintButton, warranty::kPrintButton) &&
                  Same(kSaveButton, warranty::kSaveButton) &&
                  Same(kCancelButton, warranty::kDiscardButton) &&
                  Same(kExitButton, warranty::kExitButton) &&
                  Same(kButtonFrame, warranty::kButtonFrame),
              "both pages keep their grid, filter list and command row under the same ids");

} // namespace

CTableEditPage::CTableEditPage(CWorkSheet* sheet, const wxString& title,
                               const res::DialogTemplate& dialog, const wxString& table,
                               CMainFrame::SheetKind kind)
    : CWorkPage(sheet, title), m_kind(kind) {
    CGridCtrl::RegisterGridClass();
    res::BuildDialog(this, dialog);
    m_pGrid = res::Control<CGridCtrl>(this, kGrid);
    m_pGrid->ResetToCorner();
    m_pGrid->SetTableName(table);
    m_pGrid->m_nHelpContext = dialog.id;
}

void CTableEditPage::BindGuarded(int id, std::function<void()> command) {
    Bind(
        wxEVT_BUTTON, [command](wxCommandEvent&) { work::Guarded(command); }, res::ToWxId(id));
}

wxComboBox* CTableEditPage::FilterBox() const {
    return res::Control<wxComboBox>(this, kFilterCombo);
}

void CTableEditPage::SetPending(bool pending) {
    res::FindControl(this, kSaveButton)->Enable(pending);
    res::FindControl(this, kCancelButton)->Enable(pending);
    res::FindControl(this, kExitButton)->Enable(!pending);
}

wxRect CTableEditPage::PlaceCommandRow() {
    return work::PlaceFootRow(this,
                              {kNewButton, kEditButton, kDeleteButton, kPrintButton, kSaveButton,
                               kCancelButton, kExitButton},
                              kButtonFrame);
}

bool CTableEditPage::StartNewLine() {
    if (!GetSheet()->m_rsLines->IsOpen()) return false;
    if (m_pGrid->IsSorted()) m_pGrid->ClearSort();
    return true;
}

int CTableEditPage::FinishNewLine() {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    rs->Update();
    m_pGrid->AppendNewRecord();
    const int row = m_pGrid->GetRowCount() - 1;
    rs->MoveLast();
    m_pGrid->FillRowFromRecord(row);
    m_pGrid->SetEditMode(true);
    return row;
}

bool CTableEditPage::DeleteFocusedLine() {
    const int row = m_pGrid->GetFocusCell().row;
    if (row <= 0 || !m_pGrid->MoveToRowRecord(row)) return false;
    GetSheet()->m_rsLines->Delete();
    m_pGrid->DeleteRowAndRenumber(row);
    if (m_pGrid->GetRowCount() > 1) m_pGrid->SelectRow(std::max(1, row - 1));
    return true;
}

long CTableEditPage::LastLineNumber(long current) const {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!rs->IsOpen() || rs->RecordCount() <= 0) return current;
    rs->MoveLast();
    return work::IsNullField(rs, "no") ? current : static_cast<long>(work::FieldNumber(rs, "no"));
}

void CTableEditPage::OnEdit() {
    m_pGrid->SetEditMode(true);
    SetPending(true);
}

void CTableEditPage::OnPrint() {
    m_pGrid->MakeCurrentGrid();
    m_print.Open(m_pGrid);
}

void CTableEditPage::OnExit() {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame) return;
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (rs->IsOpen()) rs->CancelBatch();
    frame->m_dsMain.SaveColumnWidths(m_pGrid);
    m_print.Close();
    frame->CloseSheet(m_kind);
}

void CTableEditPage::OnFuzzySearch() {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame) return;
    frame->m_strShared = m_pGrid->GetTableName();
    m_pGrid->MakeCurrentGrid();
    CFuzzySearchDlg search(nullptr, frame);
    if (search.ShowModal() == wxID_OK) {
        FilterBox()->SetValue(work::FuzzyText());
        Reload();
    }
    frame->m_strShared.clear();
}
