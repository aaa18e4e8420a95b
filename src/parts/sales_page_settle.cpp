// 结算 of the sales ticket page: the settlement reads the ticket as it is stored, the
// page shows the settled ticket and offers to drop it.
#include "parts/sales_page.h"
#include "parts/sales_settlement.h"

#include "app/main_frame.h"
#include "grid/data_set_grid.h"
#include "work/work_sheet.h"

void ljsh::OnSettle() {
    if (!ReadyToSettle()) return;
    UpdateTotals();
    CWorkSheet* sheet = GetSheet();
    const ado::RecordsetPtr& rs = sheet->m_rsLines;
    if (parts::SettleSalesTicket(rs, GetTitle(), sheet->m_strDocNumber) !=
        parts::SalesSettlement::Done)
        return;
    ReloadLines();
    // The stock list above shows what the sale left.
    if (CMainFrame* frame = CMainFrame::Get()) data_grid::RequeryPartsGrid(frame->m_dsMain);
    OnAbandon();
}
