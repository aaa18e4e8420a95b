#include "work/line_fields.h"

namespace work {

bool IsNullField(const ado::RecordsetPtr& rs, const char* field) {
    const ado::Variant value = rs->Fields().Item(field).Value();
    return value.IsNull() || value.IsEmpty();
}

wxString FieldText(const ado::RecordsetPtr& rs, const char* field) {
    if (IsNullField(rs, field)) return wxString();
    wxString text = wxString::FromUTF8(rs->Fields().Item(field).Value().ToString());
    return text.Trim(true);
}

double FieldNumber(const ado::RecordsetPtr& rs, const char* field) {
    if (IsNullField(rs, field)) return 0;
    try {
        return rs->Fields().Item(field).Value().ToDouble();
    } catch (const std::exception&) {
        return 0;
    }
}

void PutText(const ado::RecordsetPtr& rs, const char* field, const wxString& text) {
    rs->Fields().Item(field).PutValue(ado::Variant(text.utf8_string()));
}

void PutNumber(const ado::RecordsetPtr& rs, const char* field, double value) {
    rs->Fields().Item(field).PutValue(ado::Variant(value));
}

void PutNull(const ado::RecordsetPtr& rs, const char* field) {
    rs->Fields().Item(field).PutValue(ado::Variant::Null());
}

} // namespace work
