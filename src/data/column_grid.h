#pragma once
// What the data store asks of a grid to keep its column widths in `fieldlong` and to
// list its titles and fields. The grid control implements it; the data store never
// sees the window.
#include "ado/recordset.h"

#include <wx/string.h>

class CColumnGrid {
public:
    virtual ~CColumnGrid() = default;
    virtual wxString GetTableName() const = 0;
    // The kind of document the grid shows (such as 零件售货单); the key of grids
    // without a table.
    virtual wxString GetReportName() const = 0;
    virtual int GetColumnCount() const = 0; // column 0 is the row number
    virtual int GetColumnWidth(int column) const = 0;
    virtual bool SetColumnWidth(int column, int width) = 0;
    virtual wxString GetItemText(int row, int column) const = 0;
    // The recordset the grid shows, or null.
    virtual ado::RecordsetPtr GetGridRecordset() const = 0;
};
