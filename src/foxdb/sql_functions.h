#pragma once
// FoxPro's functions and operators as SQLite functions over the engine's values:
// text is GBK bytes (counted in bytes, as FoxPro did, but never matched in the
// middle of a double-byte character), dates are Julian day numbers (0 = empty).
//
//   foxpad(s, w) foxrtrim foxltrim foxalltrim foxsubstr foxleft foxright foxupper
//   foxlower foxlen foxat foxcontains foxstr foxval foxdtoc foxctod foxdtos foxyear
//   foxmonth foxday foxdate foxempty foxround foxcat foxlike
//   foxlast(x, order): aggregate, the x of the row with the highest order (FoxPro
//   took bare columns of a group from its last record).
#include <string>

struct sqlite3;

namespace foxdb::sql {

void RegisterFunctions(sqlite3* db);

// Rounds half away from zero to `digits` places, forgiving the binary error of
// values that were decimal texts in the table (2.675 -> 2.68).
double RoundHalfAway(double value, int digits);

// LIKE with % and _ over GBK text: case-sensitive, _ is one character.
bool LikeMatch(const std::string& text, const std::string& pattern);

} // namespace foxdb::sql
