// Settling a repair card: the settlement dialog, then the card's settlement, one
// transaction over every table it writes. The take-out's questions are answered in
// message boxes and the parts chooser.
#include "work/binding_checks.h"
#include "work/repair_page.h"
#include "work/repair_settlement.h"
#include "work/settle_dlg.h"
#include "work/take_out_boxes.h"
#include "work/work_sheet.h"

#include "app/main_frame.h"

using namespace work;

void WXZY::OnSettle() {
    if (!ReadyToSettle()) return;
    CWorkSheet* sheet = GetSheet();
    const ado::RecordsetPtr& rs = sheet->m_rsLines;
    CBoxQuestions questions;
    RepairSettlement settlement(rs, GetTitle(), sheet->m_strDocNumber, questions);
    if (settlement.Prepare() != RepairSettlement::Ready) return;
    UpdateTotals();
    const PartnerSums sums = ReadPartnerSums(GetTitle());
    CSettleDlg dialog(settlement.Total(), sums.payables, sums.advances);
    if (dialog.ShowModal() != wxID_OK) return;
    if (settlement.Run(dialog.Offsets(), dialog.GetShortfall()) != RepairSettlement::Done) return;
    // The tables hold the settled card now; the page shows it and offers to close it.
    ReloadLines();
    OnAbandon();
}
