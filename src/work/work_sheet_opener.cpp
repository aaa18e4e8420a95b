#include "work/work_sheet_opener.h"
#include "work/line_fields.h"

#include "data/wait_cursor.h"
#include "platform/wx_text.h"

namespace work {

void OpenWorkSheet(CMainFrame& frame, CMainFrame::SheetKind kind, char mode,
                   const CWorkSheet::PageFactory& makePage) {
    CWaitCursor wait;
    auto* sheet = new CWorkSheet(frame.GetSheetPane(), mode, makePage);
    // A document is suspended by the mark on its header record alone, so its lines
    // must not bring it back as a tab. A marked record without a customer is left out
    // of the list: one NULL there would make NOT IN keep no customer at all.
    const wxString flag = wxString::Format("(flag like '%%%c%%')", mode);
    std::vector<wxString> customers;
    CDataSet& data = frame.m_dsMain;
    data.Open(U("select distinct 客户 from zyxm where ") + flag +
              U(" and 客户 not in (select 客户 from zyxm where (故障='M_WX_GQ') and ") + flag +
              U(" and 客户 IS NOT NULL)"));
    const wxString walkIn = U("零散客户");
    if (data.m_bOpen && data.m_pRecordset->RecordCount() > 0)
        for (data.m_pRecordset->MoveFirst(); !data.m_pRecordset->EndOfFile();
             data.m_pRecordset->MoveNext()) {
            const wxString customer = FieldText(data.m_pRecordset, "客户");
            if (!customer.empty() && customer != walkIn) customers.push_back(customer);
        }
    sheet->AddWorkPage(makePage(sheet, walkIn), false);
    for (const wxString& customer : customers)
        sheet->AddWorkPage(makePage(sheet, customer), false);
    frame.InstallSheet(kind, sheet);
    if (CWorkPage* first = sheet->GetWorkPage(0)) sheet->SelectWorkPage(first);
}

} // namespace work
