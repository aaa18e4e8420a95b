#include "parts/parts_forms.h"

#include "parts/order_page.h"
#include "parts/returns_page.h"
#include "parts/sales_sheet_opener.h"
#include "parts/split_assemble_dlg.h"
#include "parts/store_names.h"
#include "parts/transfer_record_dlg.h"

#include "app/main_frame.h"
#include "data/system_options.h"
#include "grid/report_queries.h"

namespace parts {

void RegisterForms() {
    CMainFrame::RegisterForm(
        FormKind::OrderSheet,
        [](CMainFrame& frame, int mode, const wxString&) { Pjdh::Open(frame, mode); });
    RegisterSalesSheet();
    CSplitAssembleDlg::Register();
    CTransferRecordDlg::Register();
    ljth::Register();
    SetStockInReportSql([] {
        CSystemOptions options;
        options.LoadSettings();
        return StockQuery(options.GetIntOption(wxString::FromUTF8("三级模式")) != 0,
                          ReadStoreNames());
    });
}

} // namespace parts
