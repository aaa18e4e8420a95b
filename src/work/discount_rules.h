#pragma once
// The discounts of a repair card (whole percentages, 100 meaning none): what a typed
// discount means, whether the user may give it, and which lines it changes. The
// check comes before anything is applied or saved.
#include <wx/string.h>

namespace work {

// The spin boxes of the discounts go up to this; above 100 is a surcharge.
constexpr int kMaxDiscount = 200;

struct DiscountEntry {
    enum Kind { None, Percent, Refused };
    Kind kind = None;
    int percent = 100; // for Percent: 1..kMaxDiscount, not 100
    wxString message;  // for Refused
};

// "" / "0" / "100": no discount; a whole number 1..kMaxDiscount: that discount;
// anything else (letters, "1000", "-5", "8.5") is refused with its message.
DiscountEntry ReadDiscount(const wxString& typed);
// The parts discount against the user's limit (tenths of the rights' 折扣 item, 85 for
// 8.5; 0 when the user has none) and the shop's (SystemSet 折扣): below either one is
// refused with "超出权限,无效操作!".
DiscountEntry CheckPartsDiscount(const wxString& typed, int userTenths, int systemLimit);
// Whether a parts discount of percent is within both limits.
bool PartsDiscountAllowed(int percent, int userTenths, int systemLimit);
// The limits as the stored texts give them.
int UserDiscountTenths(const wxString& rights);
int SystemDiscountLimit();

// The parts discount changes parts lines that are unmarked or warranty; the labour
// discount changes unmarked labour lines (WX holding "W").
bool TakesPartsDiscount(const wxString& mark, const wxString& wx);
bool TakesLabourDiscount(const wxString& mark, const wxString& wx);

} // namespace work
