#include "work/line_pricing.h"

#include <cmath>

namespace work {

LineMark MarkOf(const wxString& mark) {
    if (mark.Contains("S")) return LineMark::Warranty;
    if (mark.Contains("N")) return LineMark::NoDiscount;
    if (mark.Contains("Z")) return LineMark::Gift;
    return LineMark::None;
}

double RoundFen(double amount) {
    return money::ToYuan(money::FromYuan(amount));
}

long DiscountInForce(const LineValues& line) {
    if (MarkOf(line.mark) == LineMark::NoDiscount || line.discountNull) return 100;
    return std::lround(line.discount);
}

double DealPrice(const LineValues& line) {
    return money::ToYuan(money::Scale(money::FromYuan(line.price), DiscountInForce(line), 100));
}

money::Fen LineFen(const LineValues& line) {
    if (line.quantityNull || line.priceNull) return 0;
    return money::LineAmount(std::llround(line.quantity), money::FromYuan(line.price),
                             DiscountInForce(line));
}

double LineAmount(const LineValues& line) {
    return money::ToYuan(LineFen(line));
}

double CardTotal(const std::vector<LineValues>& lines) {
    money::Fen total = 0;
    for (const LineValues& line : lines)
        if (MarkOf(line.mark) != LineMark::Warranty) total += LineFen(line);
    return money::ToYuan(total);
}

} // namespace work
