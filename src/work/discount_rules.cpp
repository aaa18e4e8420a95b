#include "work/discount_rules.h"

#include "data/system_options.h"
#include "work/line_pricing.h"

namespace work {

DiscountEntry ReadDiscount(const wxString& typed) {
    DiscountEntry entry;
    wxString text = typed;
    text.Trim(true).Trim(false);
    if (text.empty() || text == "0" || text == "100") return entry;
    long value = 0;
    if (text.find_first_not_of("0123456789") != wxString::npos || !text.ToLong(&value)) {
        entry.kind = DiscountEntry::Refused;
        entry.message = wxString::FromUTF8("输入字符不对！");
        return entry;
    }
    if (value < 1 || value > kMaxDiscount) {
        entry.kind = DiscountEntry::Refused;
        entry.message = wxString::FromUTF8("折扣应是1到200之间的整数！");
        return entry;
    }
    entry.kind = value == 100 ? DiscountEntry::None : DiscountEntry::Percent;
    entry.percent = static_cast<int>(value);
    return entry;
}

DiscountEntry CheckPartsDiscount(const wxString& typed, int userTenths, int systemLimit) {
    DiscountEntry entry = ReadDiscount(typed);
    if (entry.kind != DiscountEntry::Percent) return entry;
    if (!PartsDiscountAllowed(entry.percent, userTenths, systemLimit)) {
        entry.kind = DiscountEntry::Refused;
        entry.message = wxString::FromUTF8("超出权限,无效操作!");
    }
    return entry;
}

bool PartsDiscountAllowed(int percent, int userTenths, int systemLimit) {
    return percent >= systemLimit && (userTenths == 0 || percent >= userTenths);
}

int UserDiscountTenths(const wxString& rights) {
    CSystemOptions options;
    options.m_strSettings = rights;
    return options.GetTenthsOption(wxString::FromUTF8("折扣"));
}

int SystemDiscountLimit() {
    CSystemOptions options;
    options.LoadSettings();
    return options.GetIntOption(wxString::FromUTF8("折扣"));
}

bool TakesPartsDiscount(const wxString& mark, const wxString& wx) {
    const LineMark kind = MarkOf(mark);
    return (kind == LineMark::None || kind == LineMark::Warranty) && !wx.Contains("W");
}

bool TakesLabourDiscount(const wxString& mark, const wxString& wx) {
    return MarkOf(mark) == LineMark::None && wx.Contains("W");
}

} // namespace work
