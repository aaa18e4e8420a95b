#pragma once
// The statements of the fuzzy search: up to two conditions joined by "and" or "or",
// an optional date range, finished by the caller's mode into one SELECT statement.
// Modes: 0 the usual list forms, 1 the archive's repair lines, 2 its sales lines,
// 3 the partner ledger (ordered by date), 4 the archive's cost view.
#include <utility>
#include <vector>
#include <wx/string.h>

class CFuzzySearch {
public:
    // The archive's fixed statements. The repair and sales statements put "order by"
    // ahead of "where" and end with a blank, as the archive opens them.
    static const wxString& RepairBase();
    static const wxString& SalesBase();
    static const wxString& CostBase();

    // The comparisons a field type offers, in list order, each as (list text,
    // operator); empty for a type of none of the three groups.
    static std::vector<std::pair<wxString, wxString>> Comparisons(long adoType);
    // The operator of a comparison's list text; empty for any other text.
    static wxString OperatorOf(const wxString& comparison);

    // The statement that learns the fields (it finds no rows).
    static wxString FieldQuery(int mode, const wxString& table);
    // Whether a search on the table may use the date range (not ljml and gk).
    static bool OffersDates(const wxString& table);

    struct Request {
        wxString table;
        wxString condition1; // built conditions; empty when left out
        wxString condition2;
        bool orJoin = false;
        wxString dateField; // empty: no range
        wxString start;     // "%Y-%m-%d"; anything else is no bound
        wxString end;
    };
    // The finished statement, or empty when the request forms nothing.
    static wxString Build(int mode, const Request& request);
    // The statement of "全部": by the current grid's document kind, the cost view's
    // in mode 4.
    static wxString AllRecords(int mode, const wxString& table, const wxString& gridTitle);
};
