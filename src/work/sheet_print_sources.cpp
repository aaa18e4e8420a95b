#include "work/sheet_print_sources.h"
#include "work/line_fields.h"
#include "work/repair_page.h"
#include "work/work_sheet.h"

#include "app/main_frame.h"
#include "grid/print_seam.h"

namespace work {

namespace {

CWorkSheet* ActiveSheet() {
    CMainFrame* frame = CMainFrame::Get();
    return frame ? dynamic_cast<CWorkSheet*>(frame->m_pActiveSheet) : nullptr;
}

} // namespace

void RegisterPrintSources() {
    SetActiveSheetSource([](ActiveSheetLines& lines) {
        CWorkSheet* sheet = ActiveSheet();
        if (!sheet) return false;
        lines.customer = sheet->m_strCustomer;
        lines.mode = wxString(wxUniChar(sheet->GetMode()));
        lines.lines = sheet->m_rsLines;
        if (CWorkPage* page = sheet->GetActiveWorkPage()) lines.lineGrid = page->GetLineGrid();
        return true;
    });
    SetOpenWorkCardSource([](OpenWorkCard& card) {
        CWorkSheet* sheet = ActiveSheet();
        auto* page = sheet ? dynamic_cast<WXZY*>(sheet->GetActiveWorkPage()) : nullptr;
        if (!page || !page->MoveToHeader()) return false;
        const ado::RecordsetPtr& rs = sheet->m_rsLines;
        card.customer = page->GetTitle();
        card.documentNo = FieldText(rs, "货位");
        for (const char* field : {"客户", "厂牌", "编号", "项目名称", "货位", "小计", "作业人员"})
            card.record[wxString::FromUTF8(field)] = FieldText(rs, field);
        return true;
    });
}

} // namespace work
