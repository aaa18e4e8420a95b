#pragma once
// Reading the current record of a result: texts without their trailing blanks, nulls.
#include "ado/ado.h"

#include "platform/wx_text.h"

#include <wx/string.h>

namespace office {

inline bool FieldIsNull(const ado::RecordsetPtr& rs, const char* field) {
    return rs->Fields().Item(field).Value().IsNull();
}

// The field as text, trailing blanks removed; empty for a null.
inline wxString FieldText(const ado::RecordsetPtr& rs, const char* field) {
    const ado::Variant value = rs->Fields().Item(field).Value();
    if (value.IsNull()) return wxString();
    wxString text = wxString::FromUTF8(value.ToString());
    text.Trim(true);
    return text;
}

} // namespace office
