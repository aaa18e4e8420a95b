#include "parts/sales_customer.h"

#include "platform/gbk.h"
#include "work/line_fields.h"

namespace parts {

using namespace work;

namespace {

wxString U(const char* text) {
    return wxString::FromUTF8(text);
}

bool Blank(const ado::Variant& value) {
    if (value.IsNull()) return true;
    wxString text = wxString::FromUTF8(value.ToString());
    return text.Trim(true).empty();
}

} // namespace

bool FindOnePartner(CDataSet& data, const wxString& text) {
    data.Open(U("select 单位,联系人,联系电话,传真,余额,联系人手机,地址,备注,折扣,级别,负责人,"
                "负责人手机,负责人电话 from wlkf where ") +
              CSqlText::Contains(U("单位"), text));
    if (!data.IsOpen() || data.m_pRecordset->RecordCount() != 1) return false;
    data.m_pRecordset->MoveFirst();
    return true;
}

void WritePartnerHeader(const ado::RecordsetPtr& lines, ado::Recordset& partner) {
    ado::Fields& from = partner.Fields();
    ado::Fields& to = lines->Fields();
    const auto value = [&from](const char* field) { return from.Item(field).Value(); };
    const auto either = [&value](const char* field, const char* fallback) {
        const ado::Variant primary = value(field);
        return Blank(primary) ? value(fallback) : primary;
    };
    to.Item("编号").PutValue(value("传真"));
    to.Item("业务").PutValue(either("联系人", "负责人"));
    to.Item("小计").PutValue(value("余额"));
    to.Item("车型").PutValue(either("联系人手机", "负责人手机"));
    const ado::Variant address = value("地址");
    if (!address.IsNull()) {
        wxString text = wxString::FromUTF8(address.ToString());
        text.Trim(true);
        const std::string cut = platform::CutGbkBytes(platform::Utf8ToGbk(text.utf8_string()), 30);
        PutText(lines, "项目名称", wxString::FromUTF8(platform::GbkToUtf8(cut)));
    }
    to.Item("WX").PutValue(value("级别"));
    to.Item("备注").PutValue(value("备注"));
    to.Item("折扣").PutValue(value("折扣"));
    to.Item("厂牌").PutValue(either("联系电话", "负责人电话"));
    PutText(lines, "故障", "");
}

void RenameTicket(const ado::RecordsetPtr& lines, const wxString& from, const wxString& to) {
    lines->PutFilter(ado::Variant(0));
    for (lines->MoveFirst(); !lines->EndOfFile(); lines->MoveNext())
        if (FieldText(lines, "客户") == from) PutText(lines, "客户", to);
}

} // namespace parts
