#pragma once
// The statements of the code-table page: the rows of the chosen filter value (with
// the store, supplier and 部位 of the parts modes), or of a search, and the quick
// search conditions. Every value an operator chose or typed goes in as a quoted
// literal, so a name holding a quote is looked up like any other.
#include "work/code_table_modes.h"

#include <wx/string.h>

namespace work {

// What narrows the rows of one load.
struct CodeTableFilter {
    wxString value;           // the filter list's text as it stands
    bool search = false;      // a search result: the condition is searchText's
    wxString searchText;      // a statement or condition holding " where ..."
    wxString store;           // mode 9: the chosen store; empty or "全部" for none
    wxString supplier;        // mode 15: the chosen supplier; empty or "全部" for none
    bool byPosition = false;  // parts modes but 17: narrow to the 部位 below
    wxString position;
};

struct CodeTableStatement {
    wxString statement;
    // A search without a condition: every row is listed and the filter shows "全部".
    bool showsAll = false;
};

CodeTableStatement BuildCodeTableStatement(const CodeTableMode& mode,
                                           const CodeTableFilter& filter);

// The distinct values of a field of the mode's table, for the filter list.
wxString DistinctValuesStatement(const wxString& field, const wxString& table);
// The 部位 values of one model in the table.
wxString PositionsStatement(const wxString& table, const wxString& model);

// The quick search by "零件名称", "编号" or "简码" (the names whose short code in
// `jmb` holds the text), within the model when it is not empty: " where ...".
wxString QuickSearchWhere(const wxString& field, const wxString& text, const wxString& model);

// "全部" and "模糊查找", the filter list's texts that are no values.
const wxString& AllText();
const wxString& FuzzyText();

} // namespace work
