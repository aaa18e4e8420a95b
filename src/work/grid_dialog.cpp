#include "work/grid_dialog.h"

#include "app/main_frame.h"
#include "data/data_set.h"
#include "grid/grid_ctrl.h"
#include "grid/print_options_dlg.h"
#include "work/active_sheet.h"

void CGridDialogPrint::Open(CGridCtrl* grid) {
    Close();
    grid->MakeCurrentGrid();
    // In front of the list or page that holds the grid, and gone with it.
    m_pDialog = new CPrintOptionsDlg(grid->GetParent(), grid);
    m_pDialog->Show();
}

void CGridDialogPrint::Close() {
    if (m_pDialog) m_pDialog->Destroy();
    m_pDialog = nullptr;
}

void FinishGridDialog(CGridCtrl* grid, CDataSet& data) {
    if (CMainFrame* frame = CMainFrame::Get())
        if (frame->m_dsMain.m_pGrid) frame->m_dsMain.m_pGrid->MakeCurrentGrid();
    if (grid && (!grid->GetReportName().empty() ||
                 (grid->m_bSizesChanged && !grid->GetTableName().empty())))
        data.SaveColumnWidths(grid);
    active_sheet::ReactivatePage();
}
