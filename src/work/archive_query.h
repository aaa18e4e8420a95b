#pragma once
// The statements, column counts and width keys of the business archive dialog, and
// the total of its lines. The repair archive lists the lines flagged "W", the sales
// archive those flagged "P"; the statistics view lists every line of a date range
// and looks customers up over all dates.
#include <utility>
#include <vector>
#include <wx/string.h>

class CArchiveQuery {
public:
    enum class Mode { Repair, Sales, Statistics };

    // The look-up value that no customer holds: an empty look-up lists nothing.
    static const wxString kNobody; // "#####A####"

    // The statement of the lines whose customer contains `text`; the text is quoted
    // as a literal, so any character is taken as itself.
    static wxString LookupStatement(Mode mode, const wxString& text);
    // The statistics statement of a range handed over as "from,to" ("%Y-%m-%d");
    // empty when either date is not a valid date.
    static wxString RangeStatement(const wxString& range);

    // The grid shows this many leading fields of the statement.
    static int ColumnCount(Mode mode) { return mode == Mode::Repair ? 12 : 13; }
    // The name under which the grid's column widths are kept; one per mode, so
    // widths are stored under the name they were read from.
    static wxString WidthKey(Mode mode);

    // Σ quantity × unit price over (quantity, price) texts, rounded to the fen; rows
    // with an empty price add nothing, an empty quantity counts as 0.
    static double Total(const std::vector<std::pair<wxString, wxString>>& rows);
};
