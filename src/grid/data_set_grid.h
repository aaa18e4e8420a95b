#pragma once
// A data set's recordsets shown in grids: row numbers, titles, money texts and
// saved widths; the main window's lookup grid of parts and labour items; statements
// opened straight into a grid's recordset. They live with the grid because the data
// store does not know the grid control.
#include "ado/recordset.h"

#include <wx/string.h>

class CDataSet;
class CGridCtrl;

namespace data_grid {

// Shows the recordset in the grid: "序号" and the field names as titles, one row per
// record (rowMode 0 all; -1 all but the last; 1 all but the first; k >= 2 at most
// k-1 from the second), money with two decimals, saved widths from fieldlong (the
// row read is left in the data set's m_strFieldLongTable and m_columnWidths).
void LoadGrid(CDataSet& data, const ado::RecordsetPtr& recordset, CGridCtrl* grid,
              const wxString& filterField, const wxString& filterValue, int fieldCount,
              int rowMode);
// Refills the grid's rows (titles and widths kept) with at most maxRows records.
void LoadGridEx(const ado::RecordsetPtr& recordset, CGridCtrl* grid, int fieldCount, int maxRows);
// The lookup grid of the main window's upper pane (the data set's m_pGrid) on a
// statement ("" keeps the present rows, "#GreateGrid#" gives an empty grid). 0 for
// an empty result.
int LoadPartsGrid(CDataSet& data, const wxString& statement, int lastField, bool reportEmpty);
// Reads the lookup grid's statement again (after a change to its table), keeping its
// columns, filter, order and focus row.
void RequeryPartsGrid(CDataSet& data);
// Opens the statement (or a saved recordset file) into the grid's recordset, on the
// data set's own connection when it has one open, else on the shared one. 1 when it
// is open; 0 after the error box.
int OpenIntoGrid(CDataSet& data, const wxString& statement, CGridCtrl* grid);

} // namespace data_grid
