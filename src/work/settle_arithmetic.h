#pragma once
// The arithmetic of the settlement dialog: what the customer's payables and advance
// receipts take off the receivable, the change, and the shortfall handed back. Money
// is counted in fen. The dialog posts nothing: the offsets and the shortfall go to
// the settlement, which books them in its one transaction once the operator confirms.
#include <wx/string.h>

namespace work {

struct SettleOffsets {
    double advances = 0; // taken from the advance receipts (预收款), 0 or more
    double payables = 0; // taken from the payables (应付款), 0 or more
    double Sum() const { return advances + payables; }
};

// The question offering the offsets when the balances come to more than 0, naming
// what a Yes takes off the receivable `total` (ComputeOffsets); empty when that is
// nothing.
wxString OffsetQuestion(double total, double payables, double advances);
// The offsets the operator's Yes takes from the receivable `total`: both in full when
// they fit, else payables first and the advances up to what is left. Negative
// balances offset nothing.
SettleOffsets ComputeOffsets(double total, double payables, double advances);
// The receivable after the offsets, never below 0.
double LoweredTotal(double total, const SettleOffsets& offsets);

struct ReceivedAmount {
    bool empty = true; // nothing typed: no change shown, no shortfall
    bool ok = true;    // false: message says why (the change is emptied)
    double change = 0; // received - receivable, to the fen
    wxString message;
};
// The typed amount received against the receivable: digits and at most one point.
ReceivedAmount ReadReceived(const wxString& text, double receivable);
// The debt left when the change is more than 1.00 short, else 0.
double Shortfall(double change);

} // namespace work
