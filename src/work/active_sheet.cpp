#include "work/active_sheet.h"
#include "work/line_fields.h"
#include "work/repair_page.h"
#include "work/work_sheet.h"

#include "app/main_frame.h"
#include "grid/grid_ctrl.h"
#include "platform/wx_text.h"

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

wxString PageCustomer(char kind) {
    CWorkSheet* sheet = Sheet();
    if (!sheet || sheet->GetMode() != kind) return wxString();
    CWorkPage* page = sheet->GetActiveWorkPage();
    return page ? page->GetTitle() : wxString();
}

// Each service becomes a new line of the card (the stocked part of its code, or the
// item itself), completed as the new-line button does and kept free of charge.
void AddServiceLines(const std::vector<const CServiceUsage::Item*>& services) {
    CWorkSheet* sheet = Sheet();
    auto* page = sheet ? dynamic_cast<WXZY*>(sheet->GetActiveWorkPage()) : nullptr;
    CMainFrame* frame = CMainFrame::Get();
    if (!page || !frame || !sheet->m_rsLines || !sheet->m_rsLines->IsOpen()) return;
    const ado::RecordsetPtr& rs = sheet->m_rsLines;
    for (const CServiceUsage::Item* service : services) {
        CServiceLines::Append(frame->m_dsMain, rs, {service});
        work::PutText(rs, "客户", page->GetTitle());
        const ado::Variant line = rs->Bookmark();
        page->AddLine(true); // its totals may leave the recordset on another record
        rs->PutBookmark(line);
        // A price level or the part's retail price must not charge for the service.
        work::PutNumber(rs, "单价", 0);
        work::PutNumber(rs, "零售价", 0);
        rs->Update();
    }
    page->SaveLines();
    page->OnSetActive();
}

bool AddDueItem(const wxString& name, const wxString& code) {
    CWorkSheet* sheet = Sheet();
    auto* page = sheet && sheet->GetMode() == 'W' ? dynamic_cast<WXZY*>(sheet->GetActiveWorkPage())
                                                  : nullptr;
    CMainFrame* frame = CMainFrame::Get();
    if (!page || !frame || !sheet->m_rsLines || !sheet->m_rsLines->IsOpen()) return false;
    const ado::RecordsetPtr& rs = sheet->m_rsLines;
    const bool byCode = !code.empty();
    const wxString searches[] = {
        U("select 零件名称,编号,零售价,数量,货位,车型,厂牌,代理价,批发价,单位,进价 from ljkc "
          "where ") +
            CSqlText::Equals(byCode ? U("编号") : U("零件名称"), byCode ? code : name),
        U("select * from wxxm where ") +
            CSqlText::Equals(byCode ? U("编号") : U("项目名称"), byCode ? code : name),
    };
    CDataSet found;
    for (const wxString& statement : searches) {
        found.Open(statement);
        if (found.IsOpen() && found.m_pRecordset->RecordCount() > 0) break;
        found.CloseRecordset();
    }
    if (found.IsOpen()) {
        found.m_pRecordset->MoveFirst();
        frame->m_dsMain.CopyRecordsQuiet(found.m_pRecordset, rs, true, U("项目名称"));
    } else {
        rs->AddNew();
        work::PutText(rs, "项目名称", name);
        work::PutText(rs, "编号", code);
    }
    work::PutNumber(rs, "数量", 1);
    work::PutText(rs, "客户", page->GetTitle());
    const ado::Variant line = rs->Bookmark();
    page->AddLine(true);
    rs->PutBookmark(line);
    rs->Update();
    page->SaveLines();
    page->OnSetActive();
    return true;
}

const wxString& WalkIn() {
    static const wxString text = wxString::FromUTF8("零散客户");
    return text;
}

} // namespace active_sheet
