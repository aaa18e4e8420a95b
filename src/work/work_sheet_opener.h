#pragma once
// Opening a work sheet of one kind (repair cards 'W', sales tickets 'P') in the lower
// pane: the walk-in page "零散客户" first, then one page per customer whose open
// document is not suspended; the first page is shown.
#include "app/main_frame.h"
#include "work/work_sheet.h"

namespace work {

void OpenWorkSheet(CMainFrame& frame, CMainFrame::SheetKind kind, char mode,
                   const CWorkSheet::PageFactory& makePage);

} // namespace work
