#pragma once
// One condition of the search forms, built from a field, its ADO type and defined
// size, a comparison operator and the value the user typed. The value is first fitted
// to the field (CValueCheck::CheckValue, with its messages); numbers are then written
// from their decimal text, never through a binary float, so 1234567.89 stays
// 1234567.89. A typed single quote never reaches a condition: callers refuse it first
// with kNoQuoteMessage.
#include <wx/string.h>

class CSearchCondition {
public:
    enum class TypeGroup { Number, Text, Date, Other };
    static TypeGroup GroupOf(long adoType);

    // "查询值中不能包含单引号！查询失败。"
    static const wxString& NoQuoteMessage();
    static bool HasQuote(const wxString& value) { return value.Contains("'"); }

    // The checked value of a number field as the condition writes it: an integer
    // field's whole number, a numeric field's value with two decimals.
    static wxString NumberText(const wxString& checked, long adoType);

    // The navigation bar's filter on a field: field=number for number fields, or
    // field like '%value%' for text fields (a recordset criterion). Empty for dates
    // and other types.
    static wxString Criterion(const wxString& field, long adoType, long definedSize,
                              const wxString& value);

    // A statement condition: field op number, a text containing the value ("like") or
    // equal to it ("="), or a date compared with {^yyyy-mm-dd}. Empty when the field,
    // the operator or the value is empty, or the type is none of the three groups.
    static wxString Statement(const wxString& field, long adoType, long definedSize,
                              const wxString& op, const wxString& value);
};
