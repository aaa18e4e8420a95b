#pragma once
// What the grid's row commands need of the work page in front (the repair card or
// the sales counter): after a pasted row or a changed line flag the page recomputes
// that line and its totals. The page sets the handler when it becomes active and
// clears it when it goes; it acts only when the grid is its own line grid.
#include <functional>

class CGridCtrl;

using GridLineChangedHandler = std::function<void(CGridCtrl& grid, int row)>;
void SetGridLineChangedHandler(GridLineChangedHandler handler);
