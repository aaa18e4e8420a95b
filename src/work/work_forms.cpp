#include "work/work_forms.h"

#include "work/archive_dlg.h"
#include "work/brand_report_dlg.h"
#include "work/code_table_page.h"
#include "work/customer_record_dlg.h"
#include "work/follow_up_dlg.h"
#include "work/maintenance_due_dlg.h"
#include "work/member_card_dlg.h"
#include "work/repair_sheet_opener.h"
#include "work/sheet_print_sources.h"
#include "work/warranty_page.h"

namespace work {

void RegisterForms() {
    gkda::Register();
    CMemberCardDlg::Register();
    wxda::Register();
    RegisterRepairSheet();
    RegisterPrintSources();
    CMaintenanceDueDlg::Register();
    CFollowUpDlg::Register();
    CBrandReportDlg::Register();
    sblj::Register();
    hyxm::Register();
}

} // namespace work
