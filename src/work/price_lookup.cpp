#include "work/price_lookup.h"

#include "data/data_set.h"
#include "data/record_fields.h"
#include "platform/wx_text.h"

namespace work {
bool LookupPriceLevel(const wxString& code, double* price) {
    wxString trimmed = code;
    trimmed.Trim(true);
    if (trimmed.empty()) return false;
    CDataSet data;
    data.Open(U("select distinct 编号,三级价 from bdzxm where ") +
              CSqlText::Equals(U("编号"), trimmed));
    if (!data.IsOpen() || data.m_pRecordset->RecordCount() < 1) return false;
    data.m_pRecordset->MoveFirst();
    ado::Variant value = data.m_pRecordset->Fields().Item("三级价").Value();
    if (value.IsNull()) return false;
    *price = value.ToDouble();
    return true;
}

bool LastPrices::Load(const wxString& customer) {
    m_entries.clear();
    CDataSet data;
    data.Open(
        U("select 客户,车型,项目名称,编号,单价,单位,数量,货位,厂牌,折扣,日期,备注,单据号,进价,"
          "其它,flag,no from ljsh where 客户=") +
        CSqlText::Quote(customer) + U(" order by 日期"));
    if (!data.IsOpen() || data.m_pRecordset->RecordCount() < 1) return false;
    ado::Recordset& rs = *data.m_pRecordset;
    for (rs.MoveFirst(); !rs.EndOfFile(); rs.MoveNext()) {
        Entry entry;
        entry.code = FieldText(rs, "编号");
        entry.name = FieldText(rs, "项目名称");
        ado::Variant value = rs.Fields().Item("单价").Value();
        entry.priceNull = value.IsNull();
        if (!entry.priceNull) entry.price = value.ToDouble();
        m_entries.push_back(entry);
    }
    return true;
}

bool LastPrices::Find(const wxString& code, const wxString& name, double* price) const {
    wxString c = code, n = name;
    c.Trim(true).Trim(false);
    n.Trim(true).Trim(false);
    if (c.empty() && n.empty()) return false;
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
        if (!(c.empty() ? it->name == n : it->code == c) || it->priceNull) continue;
        *price = it->price;
        return true;
    }
    return false;
}

} // namespace work
