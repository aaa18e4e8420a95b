#include "work/price_lookup.h"

#include "data/data_set.h"
#include "data/record_fields.h"
#include "platform/wx_text.h"

namespace work {
LevelPrice LookupLevelPrice(const wxString& code, const wxString& level) {
    LevelPrice result;
    wxString trimmed = code;
    trimmed.Trim(true);
    if (trimmed.empty()) return result;
    CDataSet data;
    data.Open(U("select distinct 编号,一级价,二级价,三级价 from bdzxm where ") +
              CSqlText::Equals(U("编号"), trimmed));
    if (!data.IsOpen() || data.m_pRecordset->RecordCount() < 1) return result;
    data.m_pRecordset->MoveFirst();
    result.listed = true;
    const char* field = level.Contains("1") ? "一级价" : level.Contains("2") ? "二级价" : "三级价";
    ado::Variant value = data.m_pRecordset->Fields().Item(field).Value();
    result.priceNull = value.IsNull();
    if (!result.priceNull) result.price = value.ToDouble();
    return result;
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
        ado::Variant discount = rs.Fields().Item("折扣").Value();
        entry.discountNull = discount.IsNull();
        if (!entry.discountNull) entry.discount = discount.ToDouble();
        m_entries.push_back(entry);
    }
    return true;
}

const LastPrices::Entry* LastPrices::Latest(const wxString& code, const wxString& name) const {
    wxString c = code, n = name;
    c.Trim(true).Trim(false);
    n.Trim(true).Trim(false);
    if (c.empty() && n.empty()) return nullptr;
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it)
        if ((c.empty() ? it->name == n : it->code == c) && !it->priceNull) return &*it;
    return nullptr;
}

bool LastPrices::Find(const wxString& code, const wxString& name, double* price) const {
    const Entry* entry = Latest(code, name);
    if (!entry) return false;
    *price = entry->price;
    return true;
}

} // namespace work
