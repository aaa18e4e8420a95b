#include "data/record_fields.h"

#include "ado/field.h"

wxString FieldText(ado::Recordset& recordset, const char* field, const wxString& fallback) {
    const ado::Variant value = recordset.Fields().Item(field).Value();
    if (value.IsNull()) return fallback;
    return wxString::FromUTF8(value.ToString()).Trim(true);
}

double FieldNumber(ado::Recordset& recordset, const char* field) {
    const ado::Variant value = recordset.Fields().Item(field).Value();
    return value.IsNull() ? 0 : value.ToDouble();
}

wxDateTime FieldDate(ado::Recordset& recordset, const char* field) {
    const ado::Variant value = recordset.Fields().Item(field).Value();
    wxDateTime date;
    // A date reads "YYYY-MM-DD", with the time after it when it has one.
    if (value.IsNull() || !date.ParseISODate(wxString::FromUTF8(value.ToString()).Left(10)))
        return wxDateTime();
    return date;
}
