#include "work/service_usage.h"

#include "data/record_fields.h"
#include "platform/gbk.h"
#include "platform/wx_text.h"

#include <algorithm>
#include <map>

namespace {

struct Card {
    wxString type;
    double issued = 0;
    double valid = 0;
};

// Days as day numbers, 0 for an empty date.
double Day(ado::Recordset& rs, const char* field) {
    const wxDateTime date = FieldDate(rs, field);
    return date.IsValid() ? date.GetJDN() : 0;
}

wxString DateText(double day) {
    return day > 0 ? wxDateTime(day).Format("%Y-%m-%d") : wxString();
}

} // namespace

int CServiceUsage::RowsOfItem(int granted) {
    return granted <= kBoxesPerRow ? 1 : (granted + kBoxesPerRow - 1) / kBoxesPerRow;
}

void CServiceUsage::Load(CDataSet& data, const wxString& plate, const wxString& today) {
    m_items.clear();
    m_strHeader.clear();
    wxDateTime todayDate;
    todayDate.ParseISODate(today);
    const double now = todayDate.IsValid() ? todayDate.GetJDN() : 0;

    // The cards still valid today; a card without a validity date grants nothing.
    std::vector<Card> cards;
    data.Open(U("select 卡类别,办卡日期,有效期 from hyzl where ") +
              CSqlText::Equals(U("车牌号码"), plate));
    if (!data.IsOpen()) return;
    for (auto& rs = *data.m_pRecordset; !rs.EndOfFile(); rs.MoveNext()) {
        Card card{FieldText(rs, "卡类别"), Day(rs, "办卡日期"), Day(rs, "有效期")};
        if (card.valid >= now && card.valid > 0) cards.push_back(card);
    }
    if (cards.empty()) return;

    // The items of each card type, granted once per card of that type.
    std::map<wxString, Item> items;
    std::map<wxString, std::vector<wxString>> typesOfItem;
    std::map<wxString, int> cardsOfType;
    for (const Card& card : cards)
        ++cardsOfType[card.type];
    for (const auto& [type, count] : cardsOfType) {
        data.Open(
            wxString::FromUTF8("select 项目名称,编号,次数,折扣,手扣 from hyxm where 卡类别=") +
            CSqlText::Quote(type));
        if (!data.IsOpen()) continue;
        for (auto& rs = *data.m_pRecordset; !rs.EndOfFile(); rs.MoveNext()) {
            const wxString name = FieldText(rs, "项目名称");
            if (name.empty()) continue;
            Item& item = items[name];
            if (item.name.empty()) {
                item = Item{name, FieldText(rs, "编号"), type, FieldText(rs, "折扣"),
                            FieldText(rs, "手扣")};
            }
            item.granted += count * static_cast<int>(FieldNumber(rs, "次数"));
            typesOfItem[name].push_back(type);
        }
    }
    if (items.empty()) return;

    // Each settled line counts once when a card covering its item covers its date.
    data.Open(U("select 项目名称,数量,日期 from ljsh where ") + CSqlText::Equals(U("客户"), plate));
    if (data.IsOpen()) {
        for (auto& rs = *data.m_pRecordset; !rs.EndOfFile(); rs.MoveNext()) {
            auto found = items.find(FieldText(rs, "项目名称"));
            if (found == items.end()) continue;
            const double day = Day(rs, "日期");
            const auto& types = typesOfItem[found->first];
            const bool covered = std::any_of(cards.begin(), cards.end(), [&](const Card& card) {
                return day >= card.issued && day <= card.valid &&
                       std::find(types.begin(), types.end(), card.type) != types.end();
            });
            if (covered) found->second.used += static_cast<int>(FieldNumber(rs, "数量"));
        }
    }

    for (auto& entry : items)
        m_items.push_back(entry.second);
    // Item names in the tables' own order (GBK bytes: pinyin for common characters).
    std::sort(m_items.begin(), m_items.end(), [](const Item& a, const Item& b) {
        return platform::Utf8ToGbk(a.name.utf8_string()) <
               platform::Utf8ToGbk(b.name.utf8_string());
    });
    double issued = cards.front().issued, valid = cards.front().valid;
    for (const Card& card : cards) {
        issued = std::min(issued, card.issued);
        valid = std::max(valid, card.valid);
    }
    m_strHeader = m_items.back().type + "   " + wxString::FromUTF8("有效期") + "    " +
                  DateText(issued) + " , " + DateText(valid);
}

int CServiceLines::Append(CDataSet& data, const ado::RecordsetPtr& lines,
                          const std::vector<const CServiceUsage::Item*>& chosen) {
    if (!lines || chosen.empty()) return 0;
    CDataSet stock;
    stock.Open(wxString::FromUTF8(
        "select 零件名称,编号,零售价,数量,货位,车型,厂牌,代理价,批发价,单位,进价 from ljkc"));
    int added = 0;
    for (const CServiceUsage::Item* item : chosen) {
        bool fromStock = false;
        if (!item->code.empty() && stock.IsOpen() && stock.m_pRecordset->RecordCount() > 0) {
            const ado::RecordsetPtr& rs = stock.m_pRecordset;
            rs->MoveFirst();
            rs->Find(CSqlText::Criterion(wxString::FromUTF8("编号"), item->code).utf8_string());
            fromStock = !rs->EndOfFile();
        }
        if (fromStock) {
            data.CopyRecordsQuiet(stock.m_pRecordset, lines, true, wxString::FromUTF8("项目名称"));
            data.PutFieldValue("1", wxString::FromUTF8("数量"), lines);
            data.PutFieldValue("0", wxString::FromUTF8("单价"), lines);
            lines->Fields()
                .Item(wxString::FromUTF8("零售价").utf8_string())
                .PutValue(ado::Variant::Null());
        } else {
            lines->AddNew();
            // One use of the service, as the grid shows it.
            data.PutFieldValue("1", wxString::FromUTF8("数量"), lines);
            data.PutFieldValue(item->name, wxString::FromUTF8("项目名称"), lines);
            data.PutFieldValue(item->code, wxString::FromUTF8("编号"), lines);
            if (!item->partsRate.empty())
                data.PutFieldValue(item->partsRate, wxString::FromUTF8("折扣"), lines);
            if (!item->labourRate.empty())
                data.PutFieldValue(item->labourRate, wxString::FromUTF8("手扣"), lines);
        }
        ++added;
    }
    return added;
}
