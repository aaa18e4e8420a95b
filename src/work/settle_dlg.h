#pragma once
// CSettleDlg: dialog 158 "结算", shown before a card or ticket is settled. It offers to
// set the customer's payables and advance receipts off against the bill, shows what
// is to be received, takes what was received and shows the change. Nothing is posted
// here: the settlement books the offsets and the shortfall in its one transaction,
// once the operator has confirmed.
#include "work/settle_arithmetic.h"

#include <wx/dialog.h>

class wxTextCtrl;

class CSettleDlg : public wxDialog {
public:
    // total: the bill; payables, advances: the customer's open balances.
    CSettleDlg(double total, double payables, double advances);

    // The offsets the operator agreed to (none when none were offered or accepted).
    const work::SettleOffsets& Offsets() const { return m_offsets; }
    // What the customer still owes after paying, when more than 1.00; else 0.
    double GetShortfall() const { return m_fShortfall; }

    // "确定(&Y)" and Enter alike: the shortfall is kept and the dialog ends with OK. A
    // received amount that is not a number is refused and the dialog stays.
    void OnConfirm();
    void OnChangeReceived();

private:
    void OnCharHook(wxKeyEvent& event);

    wxTextCtrl* m_pReceivable;
    wxTextCtrl* m_pReceived;
    wxTextCtrl* m_pChange;
    work::SettleOffsets m_offsets;
    double m_fReceivable = 0;
    double m_fShortfall = 0;
};
