#pragma once
// The one place that knows every business table's field list and Chinese title.
// Codes and titles compare byte-exactly and case-sensitively ("LJDB" is a code,
// "ljdb" is not).
#include <vector>
#include <wx/string.h>

class CTableCatalog {
public:
    // "CREATE TABLE " + code + its definition, or empty for a code without one.
    wxString GetCreateSql(const wxString& code) const;
    // The Chinese title of a code, or empty (qvpy has none).
    wxString GetTableTitle(const wxString& code) const;
    // The code of a Chinese title, or empty.
    wxString GetTableCode(const wxString& title) const;
    // Every code with a definition, in catalogue order.
    std::vector<wxString> GetTableCodes() const;
};
