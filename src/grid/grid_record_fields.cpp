#include "grid/grid_record_fields.h"

#include "data/value_check.h"

#include <cmath>

namespace {

// UTF-8 text as a wxString; plain ASCII (numbers, codes) widened directly, which is
// several times cheaper than the toolkit's conversions.
wxString TextOf(const char* text, size_t length) {
    wchar_t wide[128];
    if (length > sizeof wide / sizeof wide[0]) return wxString::FromUTF8(text, length);
    for (size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) return wxString::FromUTF8(text, length);
        wide[i] = c;
    }
    return wxString(wide, length);
}

// An amount in cents as "12.50" / "-0.05".
wxString CentsText(long long cents) {
    char text[32];
    char* end = text + sizeof text;
    char* p = end;
    const bool negative = cents < 0;
    unsigned long long value = negative ? 0ULL - static_cast<unsigned long long>(cents)
                                        : static_cast<unsigned long long>(cents);
    for (int digit = 0; digit < 3 || value > 0; ++digit) {
        if (digit == 2) *--p = '.';
        *--p = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    if (negative) *--p = '-';
    return TextOf(p, static_cast<size_t>(end - p));
}

} // namespace

namespace grid_fields {

int FieldOfTitle(ado::Fields& fields, const wxString& title) {
    const bool itemAlias =
        title == wxString::FromUTF8("零件名称") || title == wxString::FromUTF8("维修项目");
    const std::string name = title.utf8_string();
    for (int i = 0; i < fields.Count(); ++i) {
        const std::string& field = fields.Item(i).Name();
        if (field == name || (itemAlias && field == "项目名称")) return i;
    }
    return -1;
}

std::vector<int> FieldsOfColumns(ado::Fields& fields, const std::vector<wxString>& titles) {
    std::vector<int> map(titles.size(), -1);
    for (size_t col = 1; col < titles.size(); ++col)
        map[col] = FieldOfTitle(fields, titles[col]);
    return map;
}

wxString CellText(ado::Field& field) {
    try {
        const ado::Variant value = field.Value();
        if (value.IsNull()) return wxString();
        const bool money = field.Type() == ado::adNumeric;
        // A number of at most two decimals is exact in "%.2f": the common case, and
        // much cheaper than rounding its text.
        if (money && value.vt() == ado::VT_DECIMAL && value.Scale() <= 2)
            return CentsText(std::llround(value.ToDouble() * 100));
        const std::string utf8 = value.ToString();
        const size_t end = utf8.find_last_not_of(' ');
        const size_t length = end == std::string::npos ? 0 : end + 1;
        wxString text = TextOf(utf8.data(), length);
        if (money) CValueCheck::FormatMoney(text);
        return text;
    } catch (const ado::ComError&) {
        return wxString();
    }
}

wxString NumberText(int number) {
    const std::string text = std::to_string(number);
    return TextOf(text.data(), text.size());
}

ado::Variant EmptyValue(long adoType) {
    const bool text =
        adoType == ado::adChar || adoType == ado::adWChar || (adoType >= 200 && adoType <= 202);
    return text ? ado::Variant(std::string()) : ado::Variant::Null();
}
} // namespace grid_fields
