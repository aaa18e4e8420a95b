#include "parts/sales_stock_check.h"

#include "data/data_set.h"

#include <set>

namespace parts {

namespace {

wxString U(const char* text) {
    return wxString::FromUTF8(text);
}

struct Sum {
    long rows = 0;
    bool quantityNull = true;
    long quantity = 0;
};

Sum SumOf(const wxString& table, const wxString& condition) {
    Sum sum;
    CDataSet data;
    data.Open(U("select count(*) as n,sum(数量) as 数量 from ") + table + U(" where ") + condition);
    if (!data.IsOpen() || data.m_pRecordset->RecordCount() < 1) return sum;
    ado::Recordset& rs = *data.m_pRecordset;
    rs.MoveFirst();
    sum.rows = static_cast<long>(rs.Fields().Item("n").Value().ToDouble());
    const ado::Variant quantity = rs.Fields().Item("数量").Value();
    sum.quantityNull = quantity.IsNull();
    if (!sum.quantityNull) sum.quantity = static_cast<long>(quantity.ToDouble());
    return sum;
}

} // namespace

bool CheckStockForTickets(const std::vector<TicketPart>& parts,
                          const std::function<bool(const wxString& question)>& ignore) {
    std::set<wxString> asked;
    for (const TicketPart& part : parts) {
        wxString code = part.code, name = part.name;
        code.Trim(true);
        name.Trim(true);
        wxString open, stock, shown;
        if (!code.empty()) {
            open = stock = CSqlText::Equals(U("编号"), code);
            shown = code;
        } else if (!name.empty()) {
            open = CSqlText::Equals(U("项目名称"), name);
            stock = CSqlText::Equals(U("零件名称"), name);
            shown = name;
        } else {
            continue;
        }
        if (!asked.insert(shown).second) continue;
        const Sum wanted = SumOf("zyxm", open);
        if (wanted.rows == 0 || wanted.quantityNull) continue;
        const Sum held = SumOf("ljkc", stock);
        if (held.rows > 0 && (held.quantityNull || wanted.quantity <= held.quantity)) continue;
        if (!ignore(U("“") + shown + U("”的库存量小于各售货单总和,是否忽略?"))) return false;
    }
    return true;
}

} // namespace parts
