#pragma once
// The checks of binding a vehicle or customer to a work page: how many pages a sheet
// may hold, one page per customer, the member card's expiry notice and the card type
// in the head line's remark, and the partner balances shown on binding.
#include "app/ledger_sums.h"

#include <vector>
#include <wx/datetime.h>
#include <wx/string.h>

namespace work {

// The most pages a sheet holds, the walk-in page included.
constexpr size_t kMaxWorkPages = 12;

// Why the customer `key` cannot get a page of the sheet whose pages have these titles
// (too many pages, or one has the key already), or empty. Binding and resuming a
// suspended card both ask it.
wxString BindRefusal(const std::vector<wxString>& pageTitles, const wxString& key);

// Typed search text for the picker: a quote is refused ("  不能用单引号！"), or empty.
wxString PickerTextRefusal(const wxString& typed);

// The notice of a member card whose expiry day lies less than 30 days before or after
// now (type + "有效期" + ":" + the day), or empty.
wxString MemberCardNotice(const wxString& cardType, const wxDateTime& expiry,
                          const wxDateTime& now);
// The head line's remark with the card type appended, unless it holds it already.
wxString AppendCardType(const wxString& remark, const wxString& cardType);

// The partner's ledger sums by category, as `wlzm` gives them.
using PartnerSums = CLedgerSums;
struct BalanceSummary {
    wxString message; // the positive sums, or empty: nothing to show
    double net = 0;   // 应付款 + 预收款 - 应收款 - 预付款; 0 when the message is empty
};
BalanceSummary SummariseBalances(const PartnerSums& sums);
// The sums of a unit read from `wlzm` (its text quoted safely).
inline PartnerSums ReadPartnerSums(const wxString& unit) {
    return CLedgerSums::ReadUnit(unit);
}

} // namespace work
