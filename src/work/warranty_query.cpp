#include "work/warranty_query.h"
#include "platform/money.h"

#include "data/record_fields.h"
#include "data/sql_text.h"
#include "platform/wx_text.h"

#include <wx/datetime.h>

namespace {

// A line whose 备注 is NULL is no genuine part sent back: it must stay listed.
const char* const kNotGenuine = "(备注 IS NULL or 备注!='正品退出')";

bool IsDate(const wxString& text) {
    wxDateTime date;
    return date.ParseISODate(text);
}

} // namespace

wxString CWarrantyQuery::Condition(const wxString& customer, const wxString& brand,
                                   const wxString& from, const wxString& to) {
    const wxString who = customer == U("全部") ? wxString() : customer;
    wxString condition;
    auto add = [&condition](const wxString& part) {
        if (!condition.empty()) condition += " and ";
        condition += part;
    };
    if (!who.empty()) add(CSqlText::Equals(U("客户"), who));
    if (!brand.empty()) add(CSqlText::Equals(U("厂牌"), brand));
    wxString range;
    if (IsDate(from)) range = U("日期>={^") + from + "}";
    if (IsDate(to)) range += (range.empty() ? U("") : U(" and ")) + U("日期<={^") + to + "}";
    if (!range.empty()) add("(" + range + U(" or 日期 IS NULL)"));
    if (condition.empty()) return wxString();
    return condition + U(" order by 日期");
}

wxString CWarrantyQuery::Statement(const wxString& condition, Only only) {
    wxString where = condition.empty() ? wxString("no>0") : condition;
    if (only == Only::NotReissued) where = U("补发日期 IS NULL AND ") + where;
    if (only == Only::NotSentOut) where = U("退出日期 IS NULL AND ") + where;
    return U("select * from ljth where ") + U(kNotGenuine) + " and " + where;
}

wxString CWarrantyQuery::FuzzyStatement(const wxString& searchStatement) {
    const wxString lower = searchStatement.Lower();
    const int where = lower.Find("where");
    if (where <= 0) return Statement(wxString(), Only::All);
    wxString condition = searchStatement.Mid(where + 5);
    wxString order;
    const int orderAt = condition.Lower().Find(" order by ");
    if (orderAt != wxNOT_FOUND) {
        order = condition.Mid(orderAt);
        condition = condition.Left(orderAt);
    }
    // Kept whole, an "or" in it cannot reach past the genuine-parts test.
    return U("select * from ljth where ") + U(kNotGenuine) + " and (" +
           condition.Strip(wxString::both) + ")" + order;
}

CWarrantyQuery::Totals CWarrantyQuery::Sum(ado::Recordset& lines) {
    Totals totals;
    if (!lines.IsOpen() || lines.RecordCount() < 1) return totals;
    ado::Fields& fields = lines.Fields();
    auto isNull = [&fields](const char* field) {
        return fields.Item(U(field).utf8_string()).Value().IsNull();
    };
    money::Fen cost = 0, deal = 0;
    for (lines.MoveFirst(); !lines.EndOfFile(); lines.MoveNext()) {
        if (isNull("数量")) continue;
        const long quantity = static_cast<long>(FieldNumber(lines, "数量"));
        const auto amount = [&](const char* field) {
            return money::LineAmount(quantity, money::FromYuan(FieldNumber(lines, field)), 100);
        };
        if (!isNull("进价")) cost += amount("进价");
        if (!isNull("单价")) deal += amount("单价");
    }
    totals.cost = money::ToYuan(cost);
    totals.deal = money::ToYuan(deal);
    return totals;
}
