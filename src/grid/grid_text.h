#pragma once
// Text order of the grid: texts compare by their GBK bytes, which puts common
// Chinese characters in pinyin order, as the tables sort them.
#include <wx/string.h>

// Negative, zero or positive as a sorts before, with or after b.
int GbkCompare(const wxString& a, const wxString& b);
