#pragma once
// Fitting typed texts to table fields, and money texts. No object state; the data
// sets reach these as their own members.
#include <wx/string.h>

class CValueCheck {
public:
    // The typed text made acceptable for a field of the ADO type and defined size.
    // Integers (3) and numerics (131): a valid number comes back unchanged; anything
    // else shows "数据格式不对！" and gives "0" (an empty text gives "0"; a second
    // point ends a numeric text; exponent forms are refused). With a precision, a
    // numeric whose whole part does not fit (precision - scale digits) is refused too. Texts (129,
    // 200-202): cut to the size in GBK bytes on a character boundary; a single quote shows "
    // 不能用单引号！" and the text ends before it. Dates (133-135): "%Y-%m-%d" from the typed forms
    // 2024-3-5, 24/3/5, 15 (a day of this month); an impossible month or day shows
    // "日期不对，可能月份或天数不正确。" and is brought into range; empty gives "0:00:00".
    // Other types: unchanged.
    static wxString CheckValue(const wxString& text, long adoType, long definedSize,
                               int precision = 0, int scale = 0);
    // The same check for typed input that must be taken as it is or not at all: false
    // when the check refused or repaired the text (its message has been shown), else
    // true with the checked text in *checked.
    static bool CheckAccepted(const wxString& text, long adoType, long definedSize,
                              wxString* checked, int precision = 0, int scale = 0);
    // Why a typed text cannot be stored as it is in the field, with the field named by
    // `label` ("区域不能超过16个字节！"), or empty when it can. Unlike the checks above
    // it shows nothing and cuts nothing: a text too long for its field is refused.
    static wxString FieldProblem(const wxString& label, const wxString& text, long adoType,
                                 long definedSize, int precision = 0, int scale = 0);

    // The grid editor's value class for an ADO type: integers 22 and numerics 4 with
    // keepNumeric (else 8), dates 7, texts 8, other types unchanged.
    static long MapFieldType(long adoType, bool keepNumeric);

    // A number text shown with two decimals, rounded half away from zero (12.345 gives
    // 12.35, .5 gives 0.50). An empty text stays empty; a text that is no number is
    // left as it is.
    static void FormatMoney(wxString& text);
};
