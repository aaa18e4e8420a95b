#pragma once
// "往来单位": the partner card over the customer units (`wlkf`, mode 1) or the
// suppliers (`gys`, mode 0), one record at a time on the record-dialog base, with
// the partner's book balance from the ledger and the links to the browser, the
// purchase archive or supplier statistic, and the ledger.
#include "work/record_dlg.h"

class CPartnerDlg : public CRecordDlg {
public:
    enum Mode : int { Suppliers = 0, Customers = 1 };

    // newName: in customer mode, when not empty, a new entry with this 单位 starts at
    // once; in supplier mode the supplier to open on.
    CPartnerDlg(wxWindow* parent, int mode, const wxString& newName = wxString());

    // The 单位 the form shows.
    wxString ShownName() const;

    void OnBrowse();
    void OnPurchaseArchive();
    void OnLedger();

    const int m_nMode;

protected:
    void PrepareNewEntry() override;
    wxString KeyProblem(const wxString& key) const override;
    wxString FormProblem() override;
    wxString NewEntryKey(const wxString&) const override { return wxString(); }
    // A partner's field is never emptied by the card: a cleared control keeps the
    // stored value, so a slip of the hand loses no telephone number.
    bool KeepsEmptiedFields() const override { return true; }
    void ShowExtra(const ado::RecordsetPtr& rs) override;
    void WriteExtra(const ado::RecordsetPtr& rs) override;
    void EnableExtra(bool enable) override;
    wxString DeleteQuestion(const wxString& key) const override;
    wxString DeleteFailedText() const override;

private:
    // Runs a child form with the card and its bar hidden.
    template <class Run> void WhileHidden(Run run);

    wxString m_strNewName;
};
