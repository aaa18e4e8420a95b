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
    return std::round(amount * 100.0) / 100.0;
}

wxString FormatMoney(double amount) {
    const double fen = RoundFen(amount);
    return wxString::Format("%.2f", fen == 0 ? 0.0 : fen);
}

double DealPrice(const LineValues& line) {
    double factor = 1.0;
    if (MarkOf(line.mark) != LineMark::NoDiscount && !line.discountNull)
        factor = line.discount * 0.01;
    return RoundFen(line.price * factor);
}

double LineAmount(const LineValues& line) {
    if (line.quantityNull || line.priceNull) return 0;
    return RoundFen(line.quantity * DealPrice(line));
}

double CardTotal(const std::vector<LineValues>& lines) {
    double total = 0;
    for (const LineValues& line : lines)
        if (MarkOf(line.mark) != LineMark::Warranty) total += LineAmount(line);
    return RoundFen(total);
}

} // namespace work
