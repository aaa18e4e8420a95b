#pragma once
// CBinAllocDlg: the rows a stock-in goes into stock as, one per warehouse and bin,
// shown for the storekeeper to correct before anything is stored.
#include "data/data_set.h"
#include "parts/part_line.h"

#include <vector>
#include <wx/dialog.h>

class CGridCtrl;

class CBinAllocDlg : public wxDialog {
public:
    CBinAllocDlg(const std::vector<parts::PartLine>& rows, const std::vector<wxString>& stores,
                 wxWindow* parent = nullptr);

    // After OK: every row as the storekeeper left it, whatever the warehouse shown.
    const std::vector<parts::PartLine>& Rows() const { return m_rows; }
    CGridCtrl* GetGrid() const { return m_pGrid; }

private:
    void OnWarehouseChange();
    void OnOK();
    void Load();

    CDataSet m_alloc;
    CGridCtrl* m_pGrid = nullptr;
    std::vector<parts::PartLine> m_rows;
};
