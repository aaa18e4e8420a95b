// Settling a repair card: the settlement dialog, then the card's settlement, one
// transaction over every table it writes. The take-out's questions are answered in
// message boxes and the parts chooser.
#include "work/binding_checks.h"
#include "work/part_pick_dlg.h"
#include "work/repair_page.h"
#include "work/repair_settlement.h"
#include "work/settle_dlg.h"
#include "work/work_sheet.h"

#include "app/main_frame.h"
#include "platform/message_box.h"

using namespace work;

namespace {

class BoxQuestions : public TakeOutQuestions {
public:
    Answer Ask(const wxString& question, bool withCancel) override {
        const int answer = platform::ShowMessageBox(
            question.utf8_string(), "", withCancel ? platform::MB_YESNOCANCEL : platform::MB_YESNO);
        return answer == platform::IDYES ? Yes : answer == platform::IDNO ? No : Cancel;
    }
    bool ChooseBin(const wxString& statement, wxString* bin) override {
        CPartPickDlg chooser(statement); // bins only: no labour items
        if (chooser.ShowModal() != wxID_OK) return false;
        *bin = chooser.Picked().bin;
        return true;
    }
    void Tell(const wxString& message) override { platform::ShowMessageBox(message.utf8_string()); }
};

} // namespace

void WXZY::OnSettle() {
    CWorkSheet* sheet = GetSheet();
    const ado::RecordsetPtr& rs = sheet->m_rsLines;
    if (!rs || !rs->IsOpen() || rs->RecordCount() <= 1) return;
    // The settlement reads the card as it is stored.
    if (!SaveLines()) return;
    BoxQuestions questions;
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
