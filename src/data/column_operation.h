#pragma once
// Carrying out an accepted column conversion on a grid's recordset: every record's
// column set to a value or to an expression of its columns and values joined by
// + - * / (products and quotients before sums and differences). Numbers are computed
// in doubles and kept to the column's decimals; into a text column "+" appends and
// "-" removes. The changes stay pending in the recordset.
#include "ado/recordset.h"

#include <wx/string.h>

class CDataSet;

class CColumnOperation {
public:
    // answer: field + "@&" + expression, as the conversion dialog hands it over. With
    // skipFirst the first record (the hidden one of a work card) stays as it is. A
    // record whose expression divides by zero keeps its value. Returns the records
    // changed; -1 when the answer names no field of the recordset.
    static int Apply(CDataSet& data, const ado::RecordsetPtr& recordset, const wxString& answer,
                     bool skipFirst);
    // The expression's value on the current record for a number column.
    static bool Evaluate(ado::Recordset& record, const wxString& expression, double* value);
    // The expression's value on the current record for a text column.
    static wxString EvaluateText(ado::Recordset& record, const wxString& expression);
};
