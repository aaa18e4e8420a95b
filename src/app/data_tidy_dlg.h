#pragma once
// The "数据整理" dialog: the user picks a table (or all) and a date range and
// rebuilds, deletes rows or repairs; CDataTidy does the work.
#include <wx/dialog.h>

class CMainFrame;
class wxCheckBox;
class wxComboBox;
class wxTextCtrl;

class CDataTidyDlg : public wxDialog {
public:
    // Makes command 32828 open the dialog.
    static void Register();

    explicit CDataTidyDlg(CMainFrame* frame);

    void OnAll();
    void OnKillfocusFromDate();
    void OnKillfocusToDate();
    void OnOK();
    void OnDelete();
    void OnRepair();

private:
    // The code of the chosen table; empty when none is chosen.
    wxString ChosenCode() const;
    // Whether the work may start: no work page may be open.
    bool NoWorkPages() const;

    CMainFrame* m_pFrame;
    wxComboBox* m_pTable = nullptr;
    wxCheckBox* m_pAll = nullptr;
    wxTextCtrl* m_pFromDate = nullptr;
    wxTextCtrl* m_pToDate = nullptr;
};
