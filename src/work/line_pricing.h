#pragma once
// The price arithmetic of a work line: its kind by mark, its amount after the card's
// discount, and the card total. Discounts are whole percentages, 100 meaning none.
// Amounts are worked out in whole fen by the money module and rounded once.
#include "platform/money.h"

#include <vector>
#include <wx/string.h>

namespace work {

// The mark in 其它 of a line: no discount "N", warranty "S", gift "Z". A mark holding
// "S" is a warranty line whatever else it holds.
enum class LineMark { None, NoDiscount, Warranty, Gift };
LineMark MarkOf(const wxString& mark);

struct LineValues {
    double quantity = 0;
    bool quantityNull = true;
    double price = 0; // 单价
    bool priceNull = true;
    double discount = 100; // 手扣 of a labour line, 折扣 of a parts line
    bool discountNull = true;
    wxString mark; // 其它
    bool labour = false;
};

// The discount in force on the line: 100 on a no-discount line or without a discount.
long DiscountInForce(const LineValues& line);
// The unit price after the line's discount, rounded to the fen.
double DealPrice(const LineValues& line);
// The amount of a line: quantity x price x discount / 100 worked out exactly and rounded
// once to the fen; 0 when the quantity or the price is missing.
money::Fen LineFen(const LineValues& line);
double LineAmount(const LineValues& line);
// The sum of the shown line amounts; warranty lines show their amount but are left out.
double CardTotal(const std::vector<LineValues>& lines);
// Rounded to the fen.
double RoundFen(double amount);

} // namespace work
