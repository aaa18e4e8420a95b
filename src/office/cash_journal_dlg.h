#pragma once
// "现金收支流水帐": the cash journal (mode 1, `kzk`) or the fixed assets (mode 2,
// `gdzc`) of a date range in an editable grid, saved as one batch, with the totals
// (money, or present and acquisition value) above it.
#include "data/data_set.h"

#include <wx/dialog.h>

class CGridCtrl;
class CMainFrame;
class CPrintOptionsDlg;

class CCashJournalDlg : public wxDialog {
public:
    CCashJournalDlg(CMainFrame& frame, int mode);
    ~CCashJournalDlg() override;

    // Lists the date range, asking first when edits are pending.
    void Query();
    void UpdateTotals();
    bool IsPending() const;

    void OnAdd();
    void OnDelete();
    void OnEdit();
    void OnSave();
    void OnCancel();
    void OnExit();
    void OnFuzzySearch();
    void OnPrint();
    void OnSelChangeHandler();

    const int m_nMode;
    CGridCtrl* m_grid = nullptr;
    CDataSet m_dataSet;
    CPrintOptionsDlg* m_pPrintDlg = nullptr;

private:
    void SetPending(bool pending);
    // Saves the pending rows; false (reported, the range listed again) when it failed.
    bool Save();
    void Load(const wxString& statement);
    int Column(const wxString& title) const;
    void NormaliseDate(int editId);

    CMainFrame& m_frame;
};
