#pragma once
// "帐目": the partner ledger. Entries booked (入帐) or offset (冲帐) by hand, the
// history of a partner, an area, a category or a source with its balances, the
// documents behind the entry in focus, deleting an entry and clearing settled
// accounts. The steps themselves are CPartnerLedger's.
#include "data/data_set.h"

#include <vector>
#include <wx/dialog.h>

class CGridCtrl;
class CGridNotifyEvent;
class CItemPickDlg;
class CMainFrame;
class COwnerNoticeEvent;
class CPrintOptionsDlg;
class wxComboBox;

class CLedgerDlg : public wxDialog {
public:
    // partner: the 单位 to show; "全部" shows the sheet customer, or every partner.
    CLedgerDlg(CMainFrame& frame, const wxString& partner);
    ~CLedgerDlg() override;

    void LoadEntries(const wxString& value, const wxString& field);
    void ShowBalances(const wxString& statement);
    void FillUnitCombos();
    void SetEntryMode(bool on);
    // Checks and posts the typed entry; false when refused or not written.
    bool PostEntry(bool book);

    void OnNew();
    void OnCancelEntry();
    void OnSelectNumber();
    void OnSelectName();
    void OnSelectArea();
    void OnSelectFilter();
    void OnDeleteEntry();
    void OnClearEmptyAccounts();
    void OnFind();
    void OnPrint();
    void OnPrintRelated();
    void OnExit();
    void ShowNamePicker();
    void ShowRelatedItems();

    CDataSet m_dsEntries;
    CDataSet m_dsRelated;
    CDataSet m_dsUtility;
    CGridCtrl* m_gridHistory = nullptr;
    CGridCtrl* m_gridRelated = nullptr;
    CItemPickDlg* m_pPickDlg = nullptr;
    CPrintOptionsDlg* m_pPrintDlg = nullptr;
    int m_nRelatedRow = 0;
    int m_nActiveCombo = 0;        // 0 area, 1 number, 2 name: the selector worked last
    std::vector<wxString> m_names; // partner names and plates for the name picker

private:
    wxComboBox* Combo(int id) const;
    wxString Text(int id) const;
    void SetText(int id, const wxString& text);
    void ClosePicker();
    void CompletePartner();
    void BindHistory(int fieldCount);
    void OnHistoryNotify(CGridNotifyEvent& event);
    void OnNotice(COwnerNoticeEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void Print(CGridCtrl* grid);

    CMainFrame& m_frame;
    bool m_bFilling = false; // combo texts set by the dialog, not typed
};
