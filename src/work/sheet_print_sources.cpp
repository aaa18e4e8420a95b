#include "work/sheet_print_sources.h"
#include "work/line_fields.h"
#include "work/repair_page.h"
#include "work/work_sheet.h"

#include "app/main_frame.h"
#include "data/data_set.h"
#include "data/sql_text.h"
#include "grid/print_seam.h"
#include "platform/wx_text.h"

namespace work {

namespace {

CWorkSheet* ActiveSheet() {
    CMainFrame* frame = CMainFrame::Get();
    return frame ? dynamic_cast<CWorkSheet*>(frame->m_pActiveSheet) : nullptr;
}

// The vehicle's telephone (the first of 手机, 单位电话 and 住宅电话 that holds a number,
// as the printed forms take it) and address, from its customer record.
void ReadVehicleContact(OpenWorkCard& card) {
    if (card.customer.empty() || card.customer == U("零散客户")) return;
    CDataSet data;
    data.Open(U("select 手机,单位电话,住宅电话,地址 from gk where ") +
              CSqlText::Equals(U("车牌号码"), card.customer));
    if (!data.IsOpen() || data.m_pRecordset->EndOfFile()) return;
    for (const char* field : {"手机", "单位电话", "住宅电话"}) {
        card.phone = FieldText(data.m_pRecordset, field);
        if (!card.phone.empty()) break;
    }
    card.address = FieldText(data.m_pRecordset, "地址");
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
        // A card not settled yet has no number of its own: the sheet's stands for it.
        if (card.documentNo.empty()) card.documentNo = sheet->GetDocNumber();
        ReadVehicleContact(card);
        return true;
    });
}

} // namespace work
