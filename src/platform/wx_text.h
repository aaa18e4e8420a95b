#pragma once
// Texts of the program's own written in the source as UTF-8 literals.
#include "platform/money.h"

#include <wx/string.h>

inline wxString U(const char* utf8) {
    return wxString::FromUTF8(utf8);
}

// An amount as shown, printed and posted: whole fen, two decimals.
inline wxString FenText(money::Fen fen) {
    return wxString::FromUTF8(money::Text(fen));
}
// An amount in yuan rounded once to the fen, two decimals.
inline wxString MoneyText(double yuan) {
    return FenText(money::FromYuan(yuan));
}
