#include "parts/store_names.h"

#include "platform/wx_text.h"

#include <wx/arrstr.h>
#include <wx/wxcrt.h>

namespace parts {

wxString StoreColumn(const wxString& store, size_t index) {
    bool plain = !store.empty() && !(store[0] >= '0' && store[0] <= '9');
    bool wide = false;
    for (wxUniChar c : store) {
        if (c.GetValue() > 0x7F)
            wide = true;
        else if (!(wxIsalnum(c) || c == '_'))
            plain = false;
    }
    // An ASCII-only name could be a keyword of the statement.
    if (plain && wide) return store;
    return U("库房") + wxString::Format("%zu", index + 1);
}

std::vector<wxString> StoreColumns(const std::vector<wxString>& stores) {
    std::vector<wxString> columns;
    for (size_t i = 0; i < stores.size(); ++i)
        columns.push_back(StoreColumn(stores[i], i));
    return columns;
}

wxString StockQuery(bool threeLevel, const std::vector<wxString>& stores) {
    wxString columns;
    for (const wxString& column : StoreColumns(stores))
        columns += U(",数量 as ") + column;
    return U("select 车型,部位,零件名称,编号,单位,数量") + columns +
           (threeLevel ? U(",进价,代理价,批发价,零售价") : U(",进价,批发价,零售价")) +
           U(",零售价 as 小计,货位,厂牌,供应商,备注,定货单,no from ljkc where 编号='####Last####'");
}

} // namespace parts
