#pragma once
// wxda: dialog 161 "维修档案", the settled lines of the business archive `ljsh` of
// one customer: repair lines, parts-sale lines, or every line of a date range for
// the statistics. Lines can be looked up by a part of the customer, searched with
// the fuzzy search, edited, added and deleted in the grid and saved as one batch;
// the total of quantity × unit price shows below the grid.
#include "data/data_set.h"
#include "work/archive_query.h"
#include "work/grid_dialog.h"

#include <wx/dialog.h>

class CGridCtrl;

class wxda : public wxDialog {
public:
    // The openers of the repair and sales archive commands; their text is the
    // customer to list.
    static void Register();

    // `text` is the customer to list ("零散客户" counts as none), or for the
    // statistics the range "from,to".
    wxda(wxWindow* parent, CArchiveQuery::Mode mode, const wxString& text);

    // Lists the lines whose customer contains the text.
    void Query(const wxString& text);
    void ShowTotals();
    void OnNew();
    void OnDelete();
    void OnModify();
    void OnSave();
    void OnDiscard();
    void OnExit();
    void OnPrint();
    void OnFuzzySearch();

    CGridCtrl* GetGrid() const { return m_pGrid; }
    CPrintOptionsDlg* GetPrintDialog() const { return m_print.Get(); }
    const wxString& GetStatement() const { return m_strStatement; }

private:
    void Load(const wxString& statement);
    void EnableSave(bool enable);
    void OnCharHook(wxKeyEvent& event);

    CArchiveQuery::Mode m_mode;
    CGridCtrl* m_pGrid = nullptr;
    CDataSet m_ds;
    CGridDialogPrint m_print;
    wxString m_strCustomer;  // the customer last looked up, for new lines
    wxString m_strStatement; // the statement the grid shows
};
