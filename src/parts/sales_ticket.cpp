#include "parts/sales_ticket.h"

#include "platform/wx_text.h"
#include "work/header_record.h"
#include "work/line_fields.h"

#include <cmath>

namespace parts {

using namespace work;

SalesHeader ReadSalesHeader(const ado::RecordsetPtr& rs, const wxString& sheetNumber) {
    SalesHeader header;
    if (!MoveToHeaderRecord(rs)) return header;
    header.archived = FieldText(rs, "单位").Contains("YES");
    if (!header.archived) header.number = sheetNumber;
    if (!IsNullField(rs, "货位")) header.number = FieldText(rs, "货位");
    header.fax = FieldText(rs, "编号");
    header.contact = FieldText(rs, "业务");
    header.phone = FieldText(rs, "厂牌");
    header.remark = FieldText(rs, "备注");
    header.mobile = FieldText(rs, "车型");
    header.address = FieldText(rs, "项目名称");
    if (!IsNullField(rs, "小计")) header.balance = MoneyText(FieldNumber(rs, "小计"));
    header.wholesale = !IsNullField(rs, "进价") && FieldNumber(rs, "进价") == -1;
    if (!IsNullField(rs, "折扣")) {
        const long discount = std::lround(FieldNumber(rs, "折扣"));
        header.discount = discount > 0 ? wxString::Format("%ld", discount) : wxString("100");
    }
    if (!IsNullField(rs, "WX")) header.priceLevel = FieldText(rs, "WX");
    return header;
}

} // namespace parts
