#include "work/repair_sheet_opener.h"
#include "work/line_fields.h"
#include "work/repair_page.h"
#include "work/work_sheet.h"

#include "app/main_frame.h"
#include "data/wait_cursor.h"
#include "platform/wx_text.h"

namespace work {

namespace {

// The customers with an open repair card that is not suspended: a card is suspended by
// the mark on its header record alone, so its lines must not bring it back as a tab.
const char* const kOpenCards =
    "select distinct 客户 from zyxm where (flag like '%W%') and 客户 not in (select 客户 from "
    "zyxm where (故障='M_WX_GQ') and (flag like '%W%'))";

} // namespace

void OpenRepairSheet(CMainFrame& frame) {
    CWaitCursor wait;
    auto* sheet =
        new CWorkSheet(frame.GetSheetPane(), 'W', [](CWorkSheet* owner, const wxString& title) {
            return new WXZY(owner, title);
        });
    std::vector<wxString> customers;
    CDataSet& data = frame.m_dsMain;
    data.Open(U(kOpenCards));
    if (data.m_bOpen && data.m_pRecordset->RecordCount() > 0)
        for (data.m_pRecordset->MoveFirst(); !data.m_pRecordset->EndOfFile();
             data.m_pRecordset->MoveNext())
            if (!IsNullField(data.m_pRecordset, "客户")) {
                const wxString customer = FieldText(data.m_pRecordset, "客户");
                if (!customer.empty() && customer != U(WXZY::kWalkIn))
                    customers.push_back(customer);
            }
    sheet->AddWorkPage(new WXZY(sheet, U(WXZY::kWalkIn)), false);
    for (const wxString& customer : customers)
        sheet->AddWorkPage(new WXZY(sheet, customer), false);
    frame.InstallSheet(CMainFrame::SheetKind::Repair, sheet);
    if (CWorkPage* first = sheet->GetWorkPage(0)) sheet->SelectWorkPage(first);
}

void RegisterRepairSheet() {
    CMainFrame::RegisterForm(FormKind::RepairSheet, [](CMainFrame& frame, int, const wxString&) {
        OpenRepairSheet(frame);
    });
}

} // namespace work
