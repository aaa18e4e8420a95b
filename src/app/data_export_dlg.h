#pragma once
// The "数据导出" dialog: the operator picks a table and a date range; its rows are
// loaded into the main grid, saved by the document's save command and, when asked,
// deleted by CDataExport.
#include <wx/dialog.h>

class CMainFrame;
class wxCheckBox;
class wxComboBox;
class wxTextCtrl;

class CDataExportDlg : public wxDialog {
public:
    // Makes the data export command open the dialog.
    static void Register();

    explicit CDataExportDlg(CMainFrame* frame);

    void OnSelchangeTable();
    void OnOK();

private:
    // The code of the chosen table; empty when none is chosen.
    wxString ChosenCode() const;

    CMainFrame* m_pFrame;
    wxComboBox* m_pTable = nullptr;
    wxTextCtrl* m_pFromDate = nullptr;
    wxTextCtrl* m_pToDate = nullptr;
    wxCheckBox* m_pDelete = nullptr;
};
