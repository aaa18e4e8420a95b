#pragma once
// Typed reads of a field of a recordset's current record, a Null taken care of:
// what a form wants from a record without repeating the Null checks.
#include "ado/recordset.h"

#include <wx/datetime.h>
#include <wx/string.h>

// The text without its trailing blanks (the padding of C fields); fallback for a Null.
wxString FieldText(ado::Recordset& recordset, const char* field,
                   const wxString& fallback = wxString());
// The number; 0 for a Null.
double FieldNumber(ado::Recordset& recordset, const char* field);
// The date; an invalid date for a Null, the empty date or a text that is no date.
wxDateTime FieldDate(ado::Recordset& recordset, const char* field);
