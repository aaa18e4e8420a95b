#pragma once
// gkda: the customer record, dialog 160 "客户资料" over `gk`: one vehicle and its
// owner per record, keyed by the plate, with the two discount percentages. Opened
// from the customer command, by the vehicle picker for a plate it does not know
// (a new entry with that plate starts at once) and by the repair card's 资料.
#include "work/record_dlg.h"

class gkda : public CRecordDlg {
public:
    // Registers the opener of the customer record (mode 1: a new entry for the plate
    // in the text).
    static void Register();

    // newPlate: when not empty, a new entry with this plate starts at once.
    explicit gkda(wxWindow* parent = nullptr, const wxString& newPlate = wxString());

    // The plate the form shows.
    wxString ShownPlate() const;

    void OnIdNumberChange();
    void OnBrowse();
    void OnRepairHistory();

protected:
    void FillEditLists() override;
    void PrepareNewEntry() override;
    wxString FormProblem() override;
    wxString DeleteQuestion(const wxString& key) const override;
    wxString DeleteFailedText() const override;

private:
    bool m_bListsPending = true;
    wxString m_strNewPlate;
};
