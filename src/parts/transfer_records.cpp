#include "parts/transfer_records.h"

#include "data/sql_text.h"
#include "platform/wx_text.h"

#include <cmath>
#include <wx/datetime.h>

namespace parts {
namespace {

const char* const kTransferFields = "select 车型,部位,零件名称,编号,单位,厂牌,数量,进价,货位,"
                                    "调拨去向,供应商,备注,日期,操作员,定货单 from LJDB";
const char* const kReturnedFields = "select 客户,供应商,车型,零件名称,编号,单价,单位,数量,厂牌,"
                                    "日期,退出日期,备注,货位,折扣,no,单据号,进价,其它,补发日期,"
                                    "flag,no1 from ljth";

// A typed date as a FoxPro date literal; empty when it is no date.
wxString DateLiteral(const wxString& text) {
    wxDateTime date;
    wxString::const_iterator end;
    const wxString trimmed = wxString(text).Trim(true).Trim(false);
    if (!date.ParseFormat(trimmed, "%Y-%m-%d", &end) || end != trimmed.end()) return wxString();
    return date.Format("{^%Y-%m-%d}");
}

} // namespace

wxString CTransferRecords::Table() const {
    return m_nMode == Transfers ? "LJDB" : "ljth";
}

wxString CTransferRecords::ReportName() const {
    return m_nMode == Transfers ? U("零件调拨") : U("退出记录");
}

wxString CTransferRecords::FilterField() const {
    return m_nMode == Transfers ? U("调拨去向") : U("供应商");
}

wxString CTransferRecords::Caption() const {
    return m_nMode == Transfers ? U("调拨记录") : U("退出记录");
}

wxString CTransferRecords::ComboStatement() const {
    return U("select distinct ") + FilterField() + U(" from ") + Table();
}

wxString CTransferRecords::AllStatement() const {
    if (m_nMode == Transfers) return U(kTransferFields);
    return U(kReturnedFields) + U(" where 退出日期 IS NOT NULL");
}

wxString CTransferRecords::FilterStatement(const wxString& value, const wxString& from,
                                           const wxString& to) const {
    if (value == U("全部")) return AllStatement();
    const wxString first = DateLiteral(from), last = DateLiteral(to);
    if (first.empty() || last.empty()) return wxString();
    const wxString dateField = m_nMode == Transfers ? U("日期") : U("退出日期");
    return AllStatement() + (m_nMode == Transfers ? U(" where ") : U(" and ")) +
           CSqlText::Equals(FilterField(), value) + U(" AND ") + dateField + ">=" + first +
           U(" and ") + dateField + "<=" + last;
}

double RecordsTotal(const std::vector<std::pair<wxString, wxString>>& rows) {
    money::Fen total = 0;
    for (const auto& row : rows) {
        money::Fen price = 0;
        double quantity = 0;
        if (!money::Parse(wxString(row.first).Trim(true).Trim(false).utf8_string(), &price))
            price = 0;
        if (!wxString(row.second).Trim(true).Trim(false).ToCDouble(&quantity)) quantity = 0;
        total += money::LineAmount(static_cast<long long>(std::trunc(quantity)), price, 100);
    }
    return money::ToYuan(total);
}

wxString RecordsTotalText(double total) {
    if (total <= 0) return wxString();
    return U("总计:") + wxString::Format(total > 9999999 ? "%.0f" : "%.2f", total);
}

} // namespace parts
