#include "parts/purchase_pricing.h"

#include "data/data_set.h"
#include "data/system_options.h"
#include "platform/wx_text.h"

#include <map>

namespace parts {

PriceRatios PriceRatios::Load() {
    CSystemOptions options;
    options.LoadSettings();
    PriceRatios ratios;
    ratios.agent = options.GetIntOption(U("一级价"));
    ratios.wholesale = options.GetIntOption(U("二级价"));
    ratios.retail = options.GetIntOption(U("三级价"));
    return ratios;
}

void PriceByRatio(std::vector<PartLine>& lines, const PriceRatios& ratios, bool threeLevel) {
    for (PartLine& line : lines) {
        const money::Fen cost = money::FromYuan(line.cost.value_or(0));
        const auto priced = [cost](int ratio) {
            return money::ToYuan(money::Scale(cost, ratio, 100));
        };
        line.retail = priced(ratios.retail);
        line.wholesale = priced(ratios.wholesale);
        if (threeLevel) line.agent = priced(ratios.agent);
    }
}

bool PriceFromPriceList(std::vector<PartLine>& lines, bool withCost) {
    CDataSet data;
    data.Open(U("select 车型,零件名称,编号,进价,零售价,批发价,厂牌 from jgk where 进价>0 or "
                "零售价>0 or 批发价>0"));
    if (!data.IsOpen()) return false;
    ado::Recordset& rs = *data.m_pRecordset;
    struct Price {
        wxString code, name, model, brand;
        std::optional<double> cost, retail, wholesale;
    };
    std::vector<Price> prices;
    if (rs.RecordCount() > 0)
        for (rs.MoveFirst(); !rs.EndOfFile(); rs.MoveNext())
            prices.push_back({Text(rs, "编号"), Text(rs, "零件名称"), Text(rs, "车型"),
                              Text(rs, "厂牌"), Number(rs, "进价"), Number(rs, "零售价"),
                              Number(rs, "批发价")});
    for (PartLine& line : lines) {
        if (*line.KeyField() == '\0') continue;
        for (const Price& p : prices) {
            const bool key = line.code.empty() ? p.name == line.name : p.code == line.code;
            if (!key || p.brand != line.brand || p.model != line.model) continue;
            if (withCost) line.cost = p.cost;
            line.retail = p.retail;
            line.wholesale = p.wholesale;
            break;
        }
    }
    return true;
}

bool TakeLowestOffers(std::vector<PartLine>& lines) {
    // Every offer, so the supplier read is the one of the lowest price itself.
    CDataSet data;
    data.Open(U("select 编号,批发价,供应商 from hy where 批发价>0"));
    if (!data.IsOpen()) return false;
    ado::Recordset& rs = *data.m_pRecordset;
    struct Offer {
        double price;
        wxString supplier;
    };
    std::map<wxString, Offer> lowest;
    if (rs.RecordCount() > 0)
        for (rs.MoveFirst(); !rs.EndOfFile(); rs.MoveNext()) {
            const wxString code = Text(rs, "编号");
            const double price = Number(rs, "批发价").value_or(0);
            auto it = lowest.find(code);
            if (it == lowest.end() || price < it->second.price)
                lowest[code] = Offer{price, Text(rs, "供应商")};
        }
    for (PartLine& line : lines) {
        if (line.code.empty()) continue;
        auto it = lowest.find(line.code);
        if (it == lowest.end()) continue;
        line.cost = it->second.price;
        line.supplier = it->second.supplier;
    }
    return true;
}

void FillBinsFromStock(std::vector<PartLine>& lines, const std::vector<StockEntry>& stock) {
    for (PartLine& line : lines) {
        if (!line.bin.empty() || *line.KeyField() == '\0') continue;
        for (const StockEntry& row : stock) {
            const bool key = line.code.empty() ? row.name == line.name : row.code == line.code;
            if (key && row.brand == line.brand && row.model == line.model) {
                line.bin = row.bin;
                break;
            }
        }
    }
}

std::vector<std::pair<wxString, double>> SupplierAmounts(const std::vector<PartLine>& lines) {
    std::vector<std::pair<wxString, money::Fen>> amounts;
    for (const PartLine& line : lines) {
        if (!line.quantity || !line.cost) continue;
        const money::Fen amount = LineFen(line.quantity, line.cost);
        auto it = std::find_if(amounts.begin(), amounts.end(),
                               [&](const auto& a) { return a.first == line.supplier; });
        if (it == amounts.end())
            amounts.emplace_back(line.supplier, amount);
        else
            it->second += amount;
    }
    std::vector<std::pair<wxString, double>> yuan;
    for (const auto& a : amounts)
        yuan.emplace_back(a.first, money::ToYuan(a.second));
    return yuan;
}

} // namespace parts
