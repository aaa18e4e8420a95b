#pragma once
// CPrintOptionsDlg: dialog 179 "打印对话框", opened modeless by the forms' 打印
// buttons on their grid. It prints the grid, previews it, or saves its recordset to a
// file, with a page range, copies, a remark printed under the report and the choice
// between the grid as shown and the report's stored settings; for the repair list and
// the sales bill it can also give the cost and quantity sheet of the customer.
#include <wx/dialog.h>

class CGridCtrl;

class CPrintOptionsDlg : public wxDialog {
public:
    // The grid to print; by default the grid whose focus last moved.
    explicit CPrintOptionsDlg(wxWindow* parent = nullptr, CGridCtrl* grid = nullptr);

    // "输出(&Y)": hands the choices to the grid and prints, previews or saves; the
    // dialog then hides.
    void OnOutput();
    // Builds the cost and quantity sheet of the customer in front into the dialog's grid.
    void BuildCostSheet();
    // "报表设置": the report settings dialog on the grid's report, modal.
    void OnReportSetup();
    // "打印设置": the printer setting with the report's paper. Cancel changes nothing.
    void OnPrintSetup();
    // Saves the recordset of `grid` under the name chosen (".adtg" added when missing);
    // the users file is refused. False when nothing was written.
    static bool SaveGridRecordset(CGridCtrl* grid, wxString path);

    CGridCtrl* m_pGrid;
    // The dialog's own grid, never shown: it holds the cost sheet.
    CGridCtrl* CostGrid() const { return m_pCostGrid; }

    static const wxString& RemarkHint();

private:
    void OnPageRangeChoice(wxCommandEvent& event);
    void OnRemarkFocus(wxFocusEvent& event);
    void OnClose(wxCloseEvent& event);
    void ResetCostGrid();
    // The file name asked for with the save prompt; empty when cancelled.
    wxString AskFileName(const wxString& proposed);

    CGridCtrl* m_pCostGrid = nullptr;
};
