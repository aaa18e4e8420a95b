#pragma once
// The arithmetic of a sales ticket: which price field its lines take, a line's deal
// price and amount with the deal price typed over it, what a quantity may be, and the
// ticket total. Gifts and warranty parts are handed over for nothing, so they are
// shown with their amount but left out of what the customer pays.
#include "work/line_pricing.h"

#include <vector>
#include <wx/string.h>

namespace parts {

// The price field of a ticket's lines: 代理价 on a wholesale ticket when the three
// price levels are in use and the level holds "1", else 批发价 on a wholesale ticket,
// else 零售价.
const char* SalesPriceField(bool wholesale, bool threeLevels, const wxString& level);

struct SalesLine {
    work::LineValues values; // 数量, 单价, 折扣, 其它
    double deal = 0;         // 成交价 typed over the price
    bool dealNull = true;
};

struct SalesLinePrice {
    bool priced = false;  // quantity and price known
    double deal = 0;      // the unit price charged
    double amount = 0;    // quantity x deal, to the fen
    bool counted = false; // part of the ticket total
};

// A typed deal price other than 0 is the price, with no discount on it: the line is
// then a no-discount line ("N") and charged.
SalesLinePrice PriceSalesLine(const SalesLine& line);
// What the customer pays: every priced line but warranty parts and gifts.
double SalesTotal(const std::vector<SalesLine>& lines);
// Why a typed quantity cannot be sold, or empty: below 0, or beyond any counter sale.
wxString QuantityRefusal(double quantity);

} // namespace parts
