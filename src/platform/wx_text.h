#pragma once
// Texts of the program's own written in the source as UTF-8 literals.
#include <wx/string.h>

inline wxString U(const char* utf8) {
    return wxString::FromUTF8(utf8);
}
