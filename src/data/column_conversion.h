#pragma once
// Converting a column of the grid's table: the columns that may be converted, a
// starting text for one, and the check of what the operator typed, a value or an
// expression of columns and values joined by + - * /. The result is handed over as
// field + "@&" + expression; SetExpression turns the expression into statement text
// in which every value is a literal, so typed input can never become a statement.
#include "ado/recordset.h"

#include <vector>
#include <wx/string.h>

class CColumnGrid;

class CColumnConversion {
public:
    struct Field {
        wxString name; // trailing blanks removed
        long type = 0; // ADO type
    };
    enum class Verdict {
        Accepted,
        Refused,  // the refusal has been shown; the dialog stays open
        StayOpen, // nothing shown; the dialog stays open
    };

    explicit CColumnConversion(std::vector<Field> fields) : m_fields(std::move(fields)) {}
    // The fields of the grid's recordset (none without one).
    static CColumnConversion FromGrid(const CColumnGrid& grid);

    // The fields that may be converted, in field order: not "no" or "flag" fields and,
    // when the grid has headings, only those shown in a column.
    std::vector<wxString> ListColumns(const CColumnGrid* grid) const;
    // The text the edit starts with for the field.
    wxString StartingText(const wxString& field) const;
    // Checks the typed text for the field. Accepted: *result is field + "@&" + the
    // expression without quotation marks (a date normalised).
    Verdict Check(const wxString& field, const wxString& typed, wxString* result) const;
    // The statement text of an accepted expression for the field: field names as they
    // are, every other token a literal of the field's type (texts quoted).
    wxString SetExpression(const wxString& field, const wxString& expression) const;

    const std::vector<Field>& Fields() const { return m_fields; }

private:
    const Field* Find(const wxString& name) const;
    std::vector<Field> m_fields;
};
