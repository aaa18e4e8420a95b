#pragma once
// Reading and writing the fields of the current record of a lines recordset by name,
// as the work pages do on every line: texts without their trailing blanks, null as
// empty, numbers as doubles.
#include "ado/recordset.h"

#include <wx/string.h>

namespace work {

bool IsNullField(const ado::RecordsetPtr& rs, const char* field);
// The field's text without trailing blanks; empty for null.
wxString FieldText(const ado::RecordsetPtr& rs, const char* field);
// The field as a number; 0 for null or a text that is none.
double FieldNumber(const ado::RecordsetPtr& rs, const char* field);
void PutText(const ado::RecordsetPtr& rs, const char* field, const wxString& text);
void PutNumber(const ado::RecordsetPtr& rs, const char* field, double value);
void PutNull(const ado::RecordsetPtr& rs, const char* field);

} // namespace work
