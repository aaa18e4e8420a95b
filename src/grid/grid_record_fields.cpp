#include "grid/grid_record_fields.h"

#include "data/value_check.h"

#include <cstdio>

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
        map[col] = fields.IndexOf(titles[col].utf8_string());
    return map;
}

wxString CellText(ado::Field& field) {
    try {
        const ado::Variant value = field.Value();
        if (value.IsNull()) return wxString();
        const bool money = field.Type() == ado::adNumeric;
        // A number of at most two decimals is exact in "%.2f": the common case, and
        // much cheaper than rounding its text.
        if (money && value.vt() == ado::VT_DECIMAL && value.Scale() <= 2) {
            char text[64];
            const int n = std::snprintf(text, sizeof text, "%.2f", value.ToDouble());
            return wxString::FromAscii(text, static_cast<size_t>(n));
        }
        const std::string utf8 = value.ToString();
        const size_t end = utf8.find_last_not_of(' ');
        wxString text = wxString::FromUTF8(utf8.data(), end == std::string::npos ? 0 : end + 1);
        if (money) CValueCheck::FormatMoney(text);
        return text;
    } catch (const ado::ComError&) {
        return wxString();
    }
}

ado::Variant EmptyValue(long adoType) {
    const bool text =
        adoType == ado::adChar || adoType == ado::adWChar || (adoType >= 200 && adoType <= 202);
    return text ? ado::Variant(std::string()) : ado::Variant::Null();
}
} // namespace grid_fields
