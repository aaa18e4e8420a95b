#pragma once
// The postings through which the business forms book money: an entry of the
// partner ledger (`wlzm`: receivables, payables, advances), a row of the cash
// journal (`kzk`), and a partner's balance of one category. They run on the main
// frame's own data set, re-opening it each time, so no caller may keep using that
// data set across a call. The forms ask their own yes/no question first; the Offer
// operations ask it and post only on yes.
#include <vector>
#include <wx/string.h>

class CMainFrameData;

class CLedgerPosting {
public:
    explicit CLedgerPosting(CMainFrameData& frame) : m_frame(frame) {}

    // Appends one ledger entry; amount is decimal text. A partner's later entries take
    // the number of its first one (or, given a number, its name). Shows category + way
    // + "成功!" when the row is saved (after the commit of a transaction open around
    // it), "失败!" when the unit is empty or nothing could
    // be saved; returns whether the row is in the table.
    bool PostPartnerEntry(wxString unit, wxString number, const wxString& category,
                          const wxString& amount, const wxString& way, const wxString& source,
                          const wxString& remark);
    // Appends one row to the cash journal, the operator (the login name at the head
    // of the rights string) as 经手人. No message of its own; false when the save
    // failed (the data store has reported it).
    bool PostCashEntry(const wxString& item, const wxString& amount, const wxString& remark);
    // The sum of the unit's entries of the category into result; true when the unit
    // has any. Without such entries result is left as it was, and the unit's other
    // positive sums are shown (when a category was asked for).
    bool GetPartnerBalance(const wxString& unit, const wxString& number, const wxString& category,
                           double* result);

    // The question (Yes/No) and, on yes, the posting; false when declined or failed.
    bool OfferPartnerEntry(const wxString& question, const wxString& unit, const wxString& number,
                           const wxString& category, const wxString& amount, const wxString& way,
                           const wxString& source, const wxString& remark);
    bool OfferCashEntry(const wxString& question, const wxString& item, const wxString& amount,
                        const wxString& remark);

private:
    CMainFrameData& m_frame;
};
