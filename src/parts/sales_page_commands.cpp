// The sales ticket's own buttons: print, archive and ledger.
#include "parts/sales_page.h"
#include "parts/sales_stock_check.h"

#include "app/main_frame.h"
#include "grid/grid_ctrl.h"
#include "grid/print_options_dlg.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "res/sales_page_template.h"
#include "work/line_fields.h"
#include "work/work_sheet.h"

using namespace res::sales_page;
using namespace work;
using namespace parts;

namespace {

bool AskYes(const wxString& text) {
    return platform::ShowMessageBox(text.utf8_string(), "", platform::MB_YESNO) == platform::IDYES;
}

} // namespace

void ljsh::OnPrint() {
    // The check reads the tables: the lines on screen go there first.
    SaveLines();
    if (!CheckStockForTickets()) return;
    if (m_pPrintDlg) m_pPrintDlg->Destroy();
    m_pGrid->MakeCurrentGrid();
    m_pPrintDlg = new CPrintOptionsDlg(nullptr, m_pGrid);
    m_pPrintDlg->Show();
    // The ticket keeps the number of its first print.
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (MoveToHeader() && IsNullField(rs, "货位")) {
        const wxString number = GetSheet()->GetDocNumber();
        GetSheet()->NextDocNumber();
        MoveToHeader();
        PutText(rs, "货位", number);
        SetText(kNumberEdit, number);
        SaveLines();
    }
}

bool ljsh::CheckStockForTickets() {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!rs || !rs->IsOpen()) return true;
    std::vector<TicketPart> parts;
    for (const ado::Variant& line : LineBookmarks()) {
        rs->PutBookmark(line);
        parts.push_back({FieldText(rs, "编号"), FieldText(rs, "项目名称")});
    }
    return parts::CheckStockForTickets(parts, &AskYes);
}

void ljsh::OnArchive() {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame) return;
    const wxString customer = GetSheet()->m_strCustomer;
    frame->m_strShared = customer;
    frame->OpenForm(FormKind::SalesArchive, 0, customer);
    GetSheet()->m_strCustomer = customer;
    m_pGrid->MakeCurrentGrid();
}

void ljsh::OnLedger() {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame || IsWalkIn()) return;
    frame->m_strShared = GetSheet()->m_strCustomer;
    frame->OpenForm(FormKind::PartnerLedger, 0, GetSheet()->m_strCustomer);
    m_pGrid->MakeCurrentGrid();
}
