#pragma once
// The code tables the code-table page edits, one mode each: the table, the page
// heading (also the grid's report name and the name of the saved copy of new lines),
// the field the filter list holds and the number of leading fields the grid shows;
// and the rules that differ by mode.
#include <functional>
#include <vector>
#include <wx/string.h>

namespace work {

struct CodeTableMode {
    int mode;
    const char* table;
    const char* heading;
    const char* filterField;
    int columns;
};

// The mode's entry; null for 12 (the warranty parts page) and numbers outside 1..17.
const CodeTableMode* FindCodeTableMode(int mode);

// The parts modes (4, 9, 14, 15, 17): quick search by name, number or short code.
bool IsPartsMode(int mode);
// The parts modes with the 部位 list and "指定车型" (all but 17).
bool HasPartPositionFilter(int mode);
// The modes whose price columns follow the user's rights (9, 14, 15, 17).
bool HasPricesByRight(int mode);

// The price columns a user may not see: 进价 without right 51, 批发价 without 22,
// 代理价 without 50.
std::vector<wxString> HiddenPriceColumns(const std::function<bool(int right)>& hasRight);

} // namespace work
