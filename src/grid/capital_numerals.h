#pragma once
// Money amounts in Chinese capital numerals, as printed under totals
// ("壹仟贰佰叁拾肆元伍角零分").
#include <wx/string.h>

// The amount (digits, at most one point, an optional leading "-") rounded to the fen
// and written digit by digit with its unit; zeros are written like other digits. A
// negative amount starts with "负". Text that is no amount gives an empty result.
wxString AmountInCapitals(const wxString& amount);
