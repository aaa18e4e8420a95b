#include "platform/money.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace money {

Fen FromYuan(double yuan) {
    if (!std::isfinite(yuan)) return 0;
    // Nine decimals hold every value a table or a computation in yuan can carry, and
    // their text decides the half fen the way a person reads the number.
    char text[64];
    std::snprintf(text, sizeof text, "%.9f", yuan);
    Fen fen = 0;
    return Parse(text, &fen) ? fen : std::llround(yuan * 100.0);
}

double ToYuan(Fen fen) {
    return static_cast<double>(fen) / 100.0;
}

std::string Text(Fen fen) {
    const unsigned long long magnitude = fen < 0 ? 0ULL - fen : fen;
    char text[32];
    std::snprintf(text, sizeof text, "%s%llu.%02llu", fen < 0 ? "-" : "", magnitude / 100,
                  magnitude % 100);
    return text;
}

bool Parse(const std::string& text, Fen* fen) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    Fen whole = 0;
    int digits = 0, decimals = 0, third = 0;
    Fen cents = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.') {
            if (point) return false;
            point = true;
            continue;
        }
        if (c < '0' || c > '9') return false;
        ++digits;
        if (!point) {
            if (whole > 9'000'000'000'000'000LL / 1000) return false;
            whole = whole * 10 + (c - '0');
        } else if (decimals < 2) {
            cents = cents * 10 + (c - '0');
            ++decimals;
        } else if (decimals == 2) {
            third = c - '0';
            ++decimals;
        }
    }
    if (digits == 0) return false;
    for (; decimals < 2; ++decimals)
        cents *= 10;
    Fen result = whole * 100 + cents + (third >= 5 ? 1 : 0);
    *fen = negative ? -result : result;
    return true;
}

Fen Scale(Fen fen, long long numerator, long long denominator) {
    const long long product = fen * numerator;
    const bool negative = (product < 0) != (denominator < 0);
    const unsigned long long p = product < 0 ? 0ULL - product : product;
    const unsigned long long d = denominator < 0 ? 0ULL - denominator : denominator;
    const long long rounded = static_cast<long long>((p + d / 2) / d);
    return negative ? -rounded : rounded;
}

Fen LineAmount(long long quantity, Fen price, long long percent) {
    return Scale(price * quantity, percent, 100);
}

} // namespace money
