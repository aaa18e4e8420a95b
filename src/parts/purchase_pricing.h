#pragma once
// Prices and bins of the order page's lines from what the shop already knows: the
// ratio of the options, the price list `jgk`, the cheapest supplier offer in `hy`,
// and the bins of the stock.
#include "parts/part_line.h"
#include "parts/stock_in.h"

#include <vector>

namespace parts {

// The options 一级价, 二级价 and 三级价: percentages of the purchase price.
struct PriceRatios {
    int agent = 0, wholesale = 0, retail = 0;
    static PriceRatios Load();
};
// 零售价 and 批发价 (and 代理价 with three levels) from each line's 进价.
void PriceByRatio(std::vector<PartLine>& lines, const PriceRatios& ratios, bool threeLevel);

// The prices of the price list's row of the same part, make and model; 进价 too only
// with withCost. False when the price list could not be read (reported).
bool PriceFromPriceList(std::vector<PartLine>& lines, bool withCost);

// Each line with a 编号 takes the lowest offer of `hy` for its part, with the supplier
// who made that offer. False when the offers could not be read (reported).
bool TakeLowestOffers(std::vector<PartLine>& lines);

// Lines without a bin take the bin of the first stock row of the same part, make and
// model; a bin a line has is never replaced.
void FillBinsFromStock(std::vector<PartLine>& lines, const std::vector<StockEntry>& stock);

// The amount each supplier is owed for the lines (数量 × 进价), in the order the
// suppliers first appear.
std::vector<std::pair<wxString, double>> SupplierAmounts(const std::vector<PartLine>& lines);

} // namespace parts
