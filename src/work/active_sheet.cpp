#include "work/active_sheet.h"
#include "work/line_fields.h"
#include "work/repair_page.h"
#include "work/work_sheet.h"

#include "app/main_frame.h"
#include "grid/grid_ctrl.h"

namespace active_sheet {

namespace {

CWorkSheet* Sheet() {
    CMainFrame* frame = CMainFrame::Get();
    return frame ? dynamic_cast<CWorkSheet*>(frame->m_pActiveSheet) : nullptr;
}

} // namespace

bool Exists() {
    CMainFrame* frame = CMainFrame::Get();
    return frame && frame->m_pActiveSheet;
}

wxString Customer() {
    CWorkSheet* sheet = Sheet();
    return sheet ? sheet->m_strCustomer : wxString();
}

void SetCustomer(const wxString& customer) {
    if (CWorkSheet* sheet = Sheet()) sheet->m_strCustomer = customer;
}

void ReactivatePage() {
    if (CWorkSheet* sheet = Sheet())
        if (CWorkPage* page = sheet->GetActiveWorkPage()) page->OnSetActive();
}

// Each service becomes a new line of the card, completed as the new-line button does.
void AddServiceLines(const std::vector<const CServiceUsage::Item*>& services) {
    CWorkSheet* sheet = Sheet();
    auto* page = sheet ? dynamic_cast<WXZY*>(sheet->GetActiveWorkPage()) : nullptr;
    if (!page || !sheet->m_rsLines || !sheet->m_rsLines->IsOpen()) return;
    const ado::RecordsetPtr& rs = sheet->m_rsLines;
    for (const CServiceUsage::Item* service : services) {
        rs->AddNew();
        work::PutText(rs, "客户", page->GetTitle());
        work::PutText(rs, "项目名称", service->name);
        work::PutText(rs, "编号", service->code);
        page->AddLine(true);
        rs->Update();
    }
    page->SaveLines();
    page->OnSetActive();
}

const wxString& WalkIn() {
    static const wxString text = wxString::FromUTF8("零散客户");
    return text;
}

} // namespace active_sheet
