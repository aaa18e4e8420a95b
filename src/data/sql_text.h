#pragma once
// Statement texts: literals for values typed by users, the templates with the
// placeholders "ReplaceStr" and "ReplaceStr1", and the table names a statement uses.
#include <vector>
#include <wx/string.h>

class CSqlText {
public:
    // A FoxPro string literal holding value exactly. FoxPro has no escape character,
    // so the delimiter is one the value does not contain ('…' or "…"); a value holding
    // both is joined from pieces with "+".
    static wxString Quote(const wxString& value);
    // A statement condition true when field holds value: field=<value as Quote gives it>.
    static wxString Equals(const wxString& field, const wxString& value);
    // A statement condition true when field holds value anywhere, with no wildcards:
    // a typed "%" or "_" is matched as itself (LIKE '%…%' would take it as a pattern).
    static wxString Contains(const wxString& field, const wxString& value);
    // A string value for a recordset Filter or Find criterion: '…' with every quote
    // doubled.
    static wxString QuoteCriterion(const wxString& value);
    // field + " = " + the quoted value, the criterion of a Filter or a Find.
    static wxString Criterion(const wxString& field, const wxString& value);

    // The template with its first "ReplaceStr" replaced by value and then the first
    // "ReplaceStr1" of the result by value1; unchanged when it holds no "ReplaceStr".
    static wxString ReplaceParams(const wxString& templ, const wxString& value,
                                  const wxString& value1);
    // The template with its first "ReplaceStr" replaced by value; empty when it holds
    // none.
    static wxString ReplaceParam(const wxString& templ, const wxString& value);

    // Every name in the table lists after the FROM keywords of a statement (any case,
    // outside literals), aliases included: the names that may be tables. A list runs
    // over names, blanks and commas and ends at a clause keyword, a parenthesis or an
    // operator.
    static std::vector<wxString> StatementTables(const wxString& statement);
    // The table of a statement (its first name after FROM), or, for a text without
    // FROM, the name of a saved recordset file: after the last separator, before the
    // first ".".
    static wxString GetTableName(const wxString& text);
};
