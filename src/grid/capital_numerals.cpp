#include "grid/capital_numerals.h"

#include <string>

namespace {

const char* const kDigits[] = {"零", "壹", "贰", "叁", "肆", "伍", "陆", "柒", "捌", "玖"};

// Unit of the i-th digit left of the point: 元 拾 佰 仟 万 拾 佰 仟 亿 拾 佰 仟 万 ...
// with the group words 万 and 亿 alternating past 亿, so no digit goes without one.
std::string IntegerUnit(size_t i) {
    static const char* const kInGroup[] = {"", "拾", "佰", "仟"};
    if (i % 4) return kInGroup[i % 4];
    if (i == 0) return "元";
    return (i / 4) % 2 ? "万" : "亿";
}

} // namespace

wxString AmountInCapitals(const wxString& amount) {
    std::string text = wxString(amount).Trim(true).Trim(false).utf8_string();
    bool negative = false;
    while (!text.empty() && text.front() == '-') {
        negative = true;
        text.erase(0, 1);
    }
    size_t point = text.find('.');
    std::string whole = text.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : text.substr(point + 1);
    if (whole.empty() && fraction.empty()) return wxString();
    for (const std::string* part : {&whole, &fraction})
        for (char c : *part)
            if (c < '0' || c > '9') return wxString();

    // Fen; what stands past them is cut, never rounded.
    std::string cents = whole + (fraction + "00").substr(0, 2);
    // No leading zeros, but at least one digit before the point.
    size_t firstDigit = cents.find_first_not_of('0');
    cents = firstDigit == std::string::npos ? std::string() : cents.substr(firstDigit);
    if (cents.size() < 3) cents.insert(0, 3 - cents.size(), '0');

    std::string out;
    const size_t integerDigits = cents.size() - 2;
    for (size_t k = 0; k < cents.size(); ++k) {
        out += kDigits[cents[k] - '0'];
        if (k < integerDigits)
            out += IntegerUnit(integerDigits - 1 - k);
        else
            out += k == integerDigits ? "角" : "分";
    }
    if (negative && cents.find_first_not_of('0') != std::string::npos) out = "负" + out;
    return wxString::FromUTF8(out);
}
