#pragma once
// A partner's ledger sums by category as `wlzm` gives them, and the book balance
// made of them. The partner card, the ledger, the picker's binding and the
// settlements read them through this one query.
#include <wx/string.h>

class CDataSet;

struct CLedgerSums {
    double receivables = 0; // 应收款
    double payables = 0;    // 应付款
    double advances = 0;    // 预收款
    double prepaid = 0;     // 预付款
    unsigned present = 0;   // bit i: category i of kCategories had rows

    static const char* const kCategories[4]; // 应收款, 应付款, 预收款, 预付款

    // Adds an amount to its category; other categories are ignored.
    void Add(const wxString& category, double amount);
    // The sum of one of the four categories; null for any other text.
    const double* Category(const wxString& category) const;
    bool Any() const { return present != 0; }
    // 应付款 + 预收款 - 应收款 - 预付款 to the fen: positive when the business owes.
    double Balance() const;

    // The sums of the rows whose `field` holds `value` (quoted safely).
    static wxString Statement(const wxString& field, const wxString& value);
    // The sums over every partner, to which callers may append " and ..." conditions.
    static wxString AllStatement();
    // Runs a sums statement on `data`; all zero when it gives no rows or fails.
    static CLedgerSums Read(CDataSet& data, const wxString& statement);
    // The sums of one unit on a data set of its own.
    static CLedgerSums ReadUnit(const wxString& unit);
};
