#pragma once
// The rules of the customer record's typed values: the plate kept for a new entry,
// which plates can be stored, and the birthday read from an ID number.
#include <wx/string.h>

class CCustomerFields {
public:
    // A new entry keeps the province character and the first letter of the plate
    // shown: its first 4 GBK bytes, never half a character.
    static wxString PlatePrefix(const wxString& plate);
    // Why the plate cannot be stored (a quote breaks look-ups, a slash the file named
    // after the vehicle's card, an empty plate names nothing); empty when it can.
    static wxString PlateProblem(const wxString& plate);

    // The birthday ("%Y-%m-%d") in a 15- or 18-character ID number; empty for other
    // lengths. False when the number holds characters other than digits (an 18-character
    // number may end in the check character X).
    static bool BirthdayFromId(const wxString& id, wxString* birthday);
    static const char* const kBadIdText; // "输入字符不对！"
};
