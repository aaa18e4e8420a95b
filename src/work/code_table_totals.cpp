#include "work/code_table_totals.h"

#include "work/line_fields.h"

#include "platform/wx_text.h"

namespace work {

StockTotals SumStock(const ado::RecordsetPtr& rs) {
    StockTotals totals;
    if (!rs || !rs->IsOpen() || rs->RecordCount() <= 0) return totals;
    const std::string quantity = U("数量").utf8_string();
    const std::string cost = U("进价").utf8_string();
    const std::string wholesale = U("批发价").utf8_string();
    const std::string retail = U("零售价").utf8_string();
    auto add = [&rs](const std::string& field, int count, float& sum) {
        if (rs->Fields().IndexOf(field) < 0 || IsNullField(rs, field.c_str())) return;
        sum += static_cast<float>(FieldNumber(rs, field.c_str())) * static_cast<float>(count);
    };
    for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext()) {
        if (rs->Fields().IndexOf(quantity) < 0 || IsNullField(rs, quantity.c_str())) continue;
        const int count = static_cast<int>(FieldNumber(rs, quantity.c_str()));
        add(cost, count, totals.cost);
        add(wholesale, count, totals.wholesale);
        add(retail, count, totals.retail);
    }
    return totals;
}

wxString StockTotalText(float sum) {
    const wxString text = wxString::Format("%.0f", static_cast<double>(sum));
    return text.length() > 8 ? wxString("******") : text;
}

} // namespace work
