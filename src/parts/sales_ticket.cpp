#include "parts/sales_ticket.h"

#include "work/line_fields.h"
#include "work/line_pricing.h"
#include "work/note_files.h"

#include <cmath>

namespace parts {

using namespace work;

const char* const kWalkIn = "零散客户";

namespace {

// The header's bookmark: the first row in the order the rows were read.
bool HeaderBookmark(const ado::RecordsetPtr& rs, ado::Variant* bookmark) {
    if (!rs || !rs->IsOpen() || rs->RecordCount() < 1) return false;
    const std::string sort = rs->Sort();
    if (!sort.empty()) rs->PutSort(std::string());
    rs->MoveFirst();
    *bookmark = rs->Bookmark();
    if (!sort.empty()) rs->PutSort(sort);
    return true;
}

} // namespace

bool MoveToTicketHeader(const ado::RecordsetPtr& rs) {
    ado::Variant header;
    if (!HeaderBookmark(rs, &header)) return false;
    rs->PutBookmark(header);
    return true;
}

std::vector<ado::Variant> TicketLines(const ado::RecordsetPtr& rs) {
    std::vector<ado::Variant> lines;
    ado::Variant header;
    if (!HeaderBookmark(rs, &header)) return lines;
    for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext()) {
        ado::Variant here = rs->Bookmark();
        if (here.ToDouble() != header.ToDouble()) lines.push_back(here);
    }
    return lines;
}

void AddTicketHeader(const ado::RecordsetPtr& rs, const wxString& customer) {
    rs->AddNew();
    PutText(rs, "客户", customer);
    PutText(rs, "no", "-1");
    PutText(rs, "flag", "P");
    rs->Update();
}

SalesHeader ReadSalesHeader(const ado::RecordsetPtr& rs, const wxString& sheetNumber) {
    SalesHeader header;
    if (!MoveToTicketHeader(rs)) return header;
    header.archived = FieldText(rs, "单位").Contains("YES");
    if (!header.archived) header.number = sheetNumber;
    if (!IsNullField(rs, "货位")) header.number = FieldText(rs, "货位");
    header.fax = FieldText(rs, "编号");
    header.contact = FieldText(rs, "业务");
    header.phone = FieldText(rs, "厂牌");
    header.remark = FieldText(rs, "备注");
    header.mobile = FieldText(rs, "车型");
    header.address = FieldText(rs, "项目名称");
    if (!IsNullField(rs, "小计")) header.balance = FormatMoney(FieldNumber(rs, "小计"));
    header.wholesale = !IsNullField(rs, "进价") && FieldNumber(rs, "进价") == -1;
    if (!IsNullField(rs, "折扣")) {
        const long discount = std::lround(FieldNumber(rs, "折扣"));
        header.discount = discount > 0 ? wxString::Format("%ld", discount) : wxString("100");
    }
    if (!IsNullField(rs, "WX")) header.priceLevel = FieldText(rs, "WX");
    return header;
}

wxString SalesNoteFileName(const wxString& customer) {
    const wxString walkIn = wxString::FromUTF8(kWalkIn);
    return SafeNoteFileName(customer == walkIn ? walkIn + "(" + wxString::FromUTF8("配件") + ")"
                                               : customer);
}

} // namespace parts
