#include "parts/sales_sheet_opener.h"
#include "parts/sales_page.h"

#include "work/work_sheet_opener.h"

namespace parts {

void OpenSalesSheet(CMainFrame& frame) {
    work::OpenWorkSheet(
        frame, CMainFrame::SheetKind::Sales, 'P',
        [](CWorkSheet* owner, const wxString& title) { return new ljsh(owner, title); });
}

void RegisterSalesSheet() {
    CMainFrame::RegisterForm(FormKind::SalesSheet, [](CMainFrame& frame, int, const wxString&) {
        OpenSalesSheet(frame);
    });
}

} // namespace parts
