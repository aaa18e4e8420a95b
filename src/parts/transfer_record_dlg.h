#pragma once
// CTransferRecordDlg: dialog 299, the transfers between stores (mode 0) or the parts
// returned out to suppliers (mode 1) in a grid: filtered by store or supplier and
// dates, fuzzy search, edits and deletions saved as one batch or dropped, print, and
// the money total.
#include "data/data_set.h"
#include "parts/transfer_records.h"

#include <wx/dialog.h>

class CGridCtrl;
class CMainFrame;
class CPrintOptionsDlg;

class CTransferRecordDlg : public wxDialog {
public:
    CTransferRecordDlg(CMainFrame& frame, int mode);
    ~CTransferRecordDlg() override;
    static void Register();

    void OnSelChangeStore();
    void OnFuzzySearch();
    void OnModify();
    void OnDelete();
    void OnOK();
    void OnCancel();
    void OnExit();
    void OnPrint();
    void ShowTotal();

    CGridCtrl* m_grid = nullptr;
    CDataSet m_dataSet;
    CPrintOptionsDlg* m_pPrintDlg = nullptr;

private:
    void Load(const wxString& statement);
    void Refill(); // the grid again from the recordset
    void SetPending(bool pending);
    void NormaliseDate(int editId);
    int Column(const wxString& title) const;

    CMainFrame& m_frame;
    parts::CTransferRecords m_records;
};
