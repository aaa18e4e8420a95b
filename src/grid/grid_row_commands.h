#pragma once
// What the grid's row commands need of the work page in front (the repair card or
// the sales counter): after a pasted row or a changed line flag the page recomputes
// that line and its totals. The page sets the handler when it becomes active and
// clears it when it goes; it acts only when the grid is its own line grid.
#include <functional>

class CGridCtrl;

using GridLineChangedHandler = std::function<void(CGridCtrl& grid, int row)>;
void SetGridLineChangedHandler(GridLineChangedHandler handler);

// A looked-up row was taken into a line (UpdateSheetRow): the page completes the line
// with its prices and discounts. The lines recordset is on the line's record.
using GridLineTakenHandler = std::function<void(CGridCtrl& grid, int row)>;
void SetGridLineTakenHandler(GridLineTakenHandler handler);

// A record put into the lines from elsewhere (an imported row): the page gives it a
// new line's defaults as its own new-line command does. The lines recordset is on the
// record.
using GridLineAddedHandler = std::function<void(CGridCtrl& grid)>;
void SetGridLineAddedHandler(GridLineAddedHandler handler);
