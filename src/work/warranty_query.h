#pragma once
// The statements and totals of the warranty parts page: the part lines of `ljth` a
// customer brought back under warranty, sent on to the supplier or reissued, never
// the genuine parts sent back ("正品退出").
#include "ado/recordset.h"

#include <wx/string.h>

class CWarrantyQuery {
public:
    enum class Only { All, NotReissued, NotSentOut };

    // The condition of the chosen customer ("全部" or empty for every one), brand and
    // date range, ordered by date: a line without a date is always in the range, and
    // a date that is empty or no date leaves its end of the range open. Empty when
    // nothing is chosen.
    static wxString Condition(const wxString& customer, const wxString& brand, const wxString& from,
                              const wxString& to);
    // The statement of a condition (empty for every line), restricted as `only` says.
    static wxString Statement(const wxString& condition, Only only);
    // The statement of a fuzzy search's own statement: its condition, kept whole.
    static wxString FuzzyStatement(const wxString& searchStatement);

    struct Totals {
        double cost = 0; // 进价 × 数量
        double deal = 0; // 单价 × 数量
    };
    static Totals Sum(ado::Recordset& lines);
};
