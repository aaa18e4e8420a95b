// 结算 of the sales ticket page: the settlement reads the ticket as it is stored, the
// page shows the settled ticket and offers to drop it.
#include "parts/sales_page.h"
#include "parts/sales_settlement.h"

#include "grid/grid_ctrl.h"
#include "work/work_sheet.h"

void ljsh::OnSettle() {
    CWorkSheet* sheet = GetSheet();
    const ado::RecordsetPtr& rs = sheet->m_rsLines;
    if (!rs || !rs->IsOpen() || rs->RecordCount() <= 1) return;
    // The settlement walks the ticket in its stored order, header first.
    if (m_pGrid->IsSorted()) m_pGrid->ClearSort();
    UpdateTotals();
    if (!SaveLines()) return;
    if (parts::SettleSalesTicket(rs, GetTitle(), sheet->m_strDocNumber) !=
        parts::SalesSettlement::Done)
        return;
    ReloadLines();
    OnAbandon();
}
