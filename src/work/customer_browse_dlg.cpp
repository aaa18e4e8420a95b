#include "work/customer_browse_dlg.h"

#include "app/fuzzy_search_dlg.h"
#include "app/main_frame.h"
#include "data/wait_cursor.h"
#include "grid/data_set_grid.h"
#include "grid/grid_ctrl.h"
#include "res/control_ids.h"
#include "res/customer_browse_template.h"

using namespace res::customer_browse;

namespace {

struct TableMode {
    const char* table;
    const char* title;
    int columns;
};

const TableMode kModes[] = {
    {"gk", "维修客户", 35},
    {"wlkf", "配件客户", 19},
    {"gys", "配件供应商", 18},
};

} // namespace

CCustomerBrowseDlg::CCustomerBrowseDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE) {
    CGridCtrl::RegisterGridClass();
    res::BuildDialog(this, res::CustomerBrowseTemplate());
    m_pGrid = res::Control<CGridCtrl>(this, kGrid);
    m_pGrid->m_nHelpContext = kDialogId;
    m_pGrid->ResetToCorner();

    CMainFrame* frame = CMainFrame::Get();
    const wxString shared = frame ? frame->m_strShared : wxString();
    for (const TableMode& mode : kModes) {
        if (shared != mode.table) continue;
        CWaitCursor wait;
        m_pGrid->SetTableName(mode.table);
        m_pGrid->m_strReportName = wxString::FromUTF8(mode.title);
        m_nColumns = mode.columns;
        Load(CSqlText::ReplaceParams("select ReplaceStr from ReplaceStr1", "*", mode.table));
    }

    res::BindButton(this, kFuzzyButton, &CCustomerBrowseDlg::OnFuzzySearch);
    res::BindButton(this, kBlankColumnsButton, &CCustomerBrowseDlg::OnDeleteBlankColumns);
    res::BindButton(this, kColumnButton, &CCustomerBrowseDlg::OnDeleteCurrentColumn);
    res::BindButton(this, kPrintButton, &CCustomerBrowseDlg::OnPrint);
    res::BindButton(this, res::IDOK, &CCustomerBrowseDlg::OnExit);
    Centre();
}

// The print dialog goes with the browser, however it is closed.
CCustomerBrowseDlg::~CCustomerBrowseDlg() = default;

void CCustomerBrowseDlg::Load(const wxString& statement) {
    m_ds.Open(statement);
    if (!m_ds.IsOpen()) return; // reported; the grid keeps what it held
    data_grid::LoadGrid(m_ds, m_ds.m_pRecordset, m_pGrid, wxString(), wxString(), m_nColumns, 0);
}

void CCustomerBrowseDlg::OnFuzzySearch() {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame) return;
    frame->m_strShared = m_pGrid->GetTableName();
    m_pGrid->MakeCurrentGrid();
    CFuzzySearchDlg search(nullptr, frame);
    if (search.ShowModal() == wxID_OK && m_nColumns > 0) {
        CWaitCursor wait;
        m_pGrid->ResetToCorner();
        m_pGrid->m_nHelpContext = kDialogId;
        Load(frame->m_strShared);
    }
    m_pGrid->SortTextItems(1, true);
    Refresh();
    frame->m_strShared.clear();
}

void CCustomerBrowseDlg::OnDeleteBlankColumns() {
    for (int col = 1; col < m_pGrid->GetColumnCount();) {
        bool blank = true;
        for (int row = 1; row < m_pGrid->GetRowCount() && blank; ++row)
            blank = m_pGrid->GetItemText(row, col).Strip(wxString::both).empty();
        if (blank)
            m_pGrid->DeleteColumn(col);
        else
            ++col;
    }
    m_pGrid->Refresh();
}

void CCustomerBrowseDlg::OnDeleteCurrentColumn() {
    const int col = m_pGrid->GetFocusCell().col;
    if (col >= m_pGrid->GetFixedColumnCount() && col < m_pGrid->GetColumnCount())
        m_pGrid->DeleteColumn(col);
    m_pGrid->Refresh();
}

void CCustomerBrowseDlg::OnPrint() {
    m_print.Open(m_pGrid);
}

void CCustomerBrowseDlg::OnExit() {
    FinishGridDialog(m_pGrid, m_ds);
    EndModal(wxID_OK);
}
