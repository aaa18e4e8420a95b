#pragma once
// The member card record, dialog 235 "会员资料" over `hyzl`: one membership card at
// a time (card type, plate, card number, issue and validity dates, service
// password, amount, salesman).
#include "work/record_dlg.h"

class CMemberCardDlg : public CRecordDlg {
public:
    static void Register();

    explicit CMemberCardDlg(wxWindow* parent = nullptr);

    void OnPlateSelChange();
    void OnBrowse();

protected:
    void FillEditLists() override;
    void PrepareNewEntry() override;
    wxString FormProblem() override;
    wxString DeleteQuestion(const wxString& key) const override;
    wxString DeleteFailedText() const override;

private:
    bool m_bListsPending = true;
};
