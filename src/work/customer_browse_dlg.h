#pragma once
// CCustomerBrowseDlg: dialog 184 "顾客资料浏览", a whole table of customers or
// suppliers in a grid (`gk`, `wlkf` or `gys`, named by the frame's hand-over text
// when it opens), with the fuzzy search, removal of empty or chosen columns from the
// display and printing. It writes nothing but the grid's column widths.
#include "data/data_set.h"
#include "work/grid_dialog.h"

#include <wx/dialog.h>

class CGridCtrl;

class CCustomerBrowseDlg : public wxDialog {
public:
    explicit CCustomerBrowseDlg(wxWindow* parent = nullptr);
    ~CCustomerBrowseDlg() override;

    void OnFuzzySearch();
    void OnDeleteBlankColumns();
    void OnDeleteCurrentColumn();
    void OnPrint();
    void OnExit();

    CGridCtrl* GetGrid() const { return m_pGrid; }
    CPrintOptionsDlg* GetPrintDialog() const { return m_print.Get(); }

private:
    void Load(const wxString& statement);

    CGridCtrl* m_pGrid = nullptr;
    CDataSet m_ds;
    CGridDialogPrint m_print;
    int m_nColumns = 0; // fields shown of the table
};
