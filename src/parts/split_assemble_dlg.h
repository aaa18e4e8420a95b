#pragma once
// CSplitAssembleDlg: the assemblies of `ljzc` by model; a chosen one split into its
// parts or assembled from them, the stock taken out at once and the resulting lines
// handed to the stock-in page for the storekeeper to receive.
#include "data/data_set.h"

#include <wx/dialog.h>

class CGridCtrl;
class CMainFrame;

class CSplitAssembleDlg : public wxDialog {
public:
    explicit CSplitAssembleDlg(wxWindow* parent = nullptr);

    static void Register();
    CGridCtrl* GetGrid() const { return m_pGrid; }

    void OnSplit();
    void OnAssemble();

private:
    void OnModelChange();
    void OnFuzzySearch();
    void LoadList(const wxString& condition);
    // The chosen row's record and the quantity; false after a message.
    bool Start(int* quantity);

    CGridCtrl* m_pGrid = nullptr;
    CDataSet m_data;
};
