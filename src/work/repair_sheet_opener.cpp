#include "work/repair_sheet_opener.h"
#include "work/repair_page.h"
#include "work/work_sheet_opener.h"

namespace work {

void OpenRepairSheet(CMainFrame& frame) {
    OpenWorkSheet(frame, CMainFrame::SheetKind::Repair, 'W',
                  [](CWorkSheet* owner, const wxString& title) { return new WXZY(owner, title); });
}

void RegisterRepairSheet() {
    CMainFrame::RegisterForm(FormKind::RepairSheet, [](CMainFrame& frame, int, const wxString&) {
        OpenRepairSheet(frame);
    });
}

} // namespace work
