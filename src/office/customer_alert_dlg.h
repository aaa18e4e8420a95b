#pragma once
// "客户预警": customers who have not come back within a range of days, and those who
// never came, with the lines of the customer under the focus beside them.
#include "data/data_set.h"

#include <wx/dialog.h>

class CGridCtrl;
class CGridNotifyEvent;
class CMainFrame;
class CPrintOptionsDlg;

class CCustomerAlertDlg : public wxDialog {
public:
    explicit CCustomerAlertDlg(CMainFrame& frame);
    ~CCustomerAlertDlg() override;

    void OnStart();
    void ShowCustomerLines();
    void OnDeleteRow();
    void OnPrint();

    CDataSet m_listSet;
    CDataSet m_lineSet;
    CGridCtrl* m_listGrid = nullptr;
    CGridCtrl* m_lineGrid = nullptr;
    CPrintOptionsDlg* m_pPrintDlg = nullptr;
    int m_nShownRow = 0;

private:
    bool IsRepair() const;
    void OnListNotify(CGridNotifyEvent& event);

    CMainFrame& m_frame;
};
