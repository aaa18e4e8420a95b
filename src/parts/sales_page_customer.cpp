// The customer of a sales ticket and the prices its lines take: the partner card
// moving the ticket to a registered customer, the wholesale switch and the prices the
// customer paid last time.
#include "parts/sales_customer.h"
#include "parts/sales_page.h"

#include "app/main_frame.h"
#include "platform/wx_text.h"
#include "res/sales_page_template.h"
#include "work/line_fields.h"
#include "work/price_lookup.h"
#include "work/work_sheet.h"

#include <wx/checkbox.h>

using namespace res::sales_page;
using namespace work;
using namespace parts;

void ljsh::OnCustomerData() {
    CMainFrame* frame = CMainFrame::Get();
    CWorkSheet* sheet = GetSheet();
    if (!frame || !CMainFrame::HasForm(FormKind::Partners)) return;
    const wxString customer = GetTitle();
    sheet->m_strCustomer = customer;
    frame->m_bRecordSaved = false;
    frame->OpenForm(FormKind::Partners, 1, IsWalkIn() ? wxString() : customer);
    // The card hands back the name it was left on, once a record was saved there.
    const wxString name = frame->m_bRecordSaved && !IsWalkIn() ? frame->m_strShared : customer;
    sheet->m_strCustomer = customer;
    if (!frame->m_bRecordSaved || !name.Contains(customer)) return;
    CDataSet partner;
    if (!FindOnePartner(partner, name)) return;
    const wxString unit = FieldText(partner.m_pRecordset, "单位");
    const ado::RecordsetPtr& rs = sheet->m_rsLines;
    if (MoveToHeader()) {
        WritePartnerHeader(rs, *partner.m_pRecordset);
        m_strPriceLevel = IsNullField(rs, "WX") ? wxString("3") : FieldText(rs, "WX");
    }
    if (unit == customer) {
        if (!SaveLines()) return;
        OnSetActive();
        return;
    }
    // The ticket's lines carry the partner's name now, and so does its page.
    RenameTicket(rs, customer, unit);
    if (!SaveLines()) return;
    if (CWorkPage* page = sheet->FindWorkPage(unit))
        sheet->SelectWorkPage(page);
    else
        sheet->AddWorkPage(sheet->MakePage(unit), true);
    if (!IsWalkIn()) sheet->RemoveWorkPage(this);
}

void ljsh::OnWholesale() {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!MoveToHeader()) return;
    const bool wholesale = IsChecked(kWholesaleCheck);
    if (wholesale)
        PutText(rs, "进价", "-1");
    else
        PutNull(rs, "进价");
    const char* field = PriceField();
    for (const ado::Variant& line : LineBookmarks()) {
        rs->PutBookmark(line);
        if (IsNullField(rs, field))
            PutNull(rs, "单价");
        else
            PutNumber(rs, "单价", FieldNumber(rs, field));
    }
    SaveLines();
    OnSetActive();
}

void ljsh::OnLastPrice() {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    CMainFrame* frame = CMainFrame::Get();
    if (!frame || !rs || !rs->IsOpen() || rs->RecordCount() < 2) return;
    const bool last = IsChecked(kLastPriceCheck);
    LastPrices history;
    if (!history.Load(GetTitle())) return;
    const char* field = PriceField();
    const std::vector<ado::Variant> lines = LineBookmarks();
    frame->m_dsMain.BeginProgress(int(lines.size()));
    for (const ado::Variant& line : lines) {
        frame->m_dsMain.StepProgress();
        rs->PutBookmark(line);
        if (!last) {
            if (!IsNullField(rs, field)) PutNumber(rs, "单价", FieldNumber(rs, field));
            continue;
        }
        const LastPrices::Entry* sale =
            history.Latest(FieldText(rs, "编号"), FieldText(rs, "项目名称"));
        if (!sale) continue;
        PutNumber(rs, "单价", sale->price);
        if (sale->discountNull)
            PutNull(rs, "折扣");
        else
            PutNumber(rs, "折扣", sale->discount);
    }
    frame->m_dsMain.EndProgress();
    SaveLines();
    UpdateTotals();
    OnSetActive();
}
