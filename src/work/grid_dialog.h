#pragma once
// What the list dialogs of the workshop share about their grid: the print dialog
// each owns (at most one, closed with the list so that it never prints a grid that
// is gone), and the end of a list: the upper pane's grid current again, the column
// widths kept when the user changed them, the active work page refreshed.
class CGridCtrl;
class CPrintOptionsDlg;
class CDataSet;

class CGridDialogPrint {
public:
    CGridDialogPrint() = default;
    CGridDialogPrint(const CGridDialogPrint&) = delete;
    CGridDialogPrint& operator=(const CGridDialogPrint&) = delete;
    ~CGridDialogPrint() { Close(); }

    // Replaces an earlier print dialog by a new one on the grid, shown modeless in
    // front of the window holding the grid.
    void Open(CGridCtrl* grid);
    void Close();
    CPrintOptionsDlg* Get() const { return m_pDialog; }

private:
    CPrintOptionsDlg* m_pDialog = nullptr;
};

// The common end of a list dialog (its Exit): widths saved through `data` when the
// grid's layout is worth keeping, the upper pane's grid made current, the page
// re-activated.
void FinishGridDialog(CGridCtrl* grid, CDataSet& data);
