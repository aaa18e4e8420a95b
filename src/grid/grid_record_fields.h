#pragma once
// How the grid finds the field behind a column and shows a field's value.
#include "ado/recordset.h"

#include <vector>
#include <wx/string.h>

namespace grid_fields {

// The field a column titled `title` writes to: the field of that name, or for the
// titles "零件名称" and "维修项目" also "项目名称", whichever comes first. -1 when none.
int FieldOfTitle(ado::Fields& fields, const wxString& title);

// The field of each grid column 1..columns-1 by its title, as FieldOfTitle finds it
// (-1 when none); entry 0 is -1.
std::vector<int> FieldsOfColumns(ado::Fields& fields, const std::vector<wxString>& titles);

// The current record's value as cell text: trailing blanks cut, Null (or a value
// that does not convert) empty, money (numeric fields) with two decimals.
wxString CellText(ado::Field& field);

// A row number as the first column shows it ("%i"), made cheaply for long loads.
wxString NumberText(int number);

// The value that empties a field: an empty text for text fields, Null for others.
ado::Variant EmptyValue(long adoType);

} // namespace grid_fields
