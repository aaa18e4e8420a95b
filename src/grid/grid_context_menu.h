#pragma once
// Command IDs of the grid's context menu. The grid handles the row, flag, print and
// settings commands itself; export, import, pictures and the column operation go to
// the handler the program installs; the others (taking rows into the open sheet) go
// on to the grid's owner like any command the grid does not handle.
#include <functional>

class CGridCtrl;

enum GridMenuCommand : int {
    ID_GRID_SELECT_ALL_ROWS = 9901,
    ID_GRID_SETUP_MENU = 9906,
    ID_GRID_INSERT_ROW_BEFORE = 9907,
    ID_GRID_INSERT_COLUMN_BEFORE = 9908,
    ID_GRID_PRINT = 9911,
    ID_GRID_PRINT_PREVIEW = 9912,
    ID_GRID_COPY_ROW = 9913,
    ID_GRID_PASTE_ROW = 9914,
    ID_GRID_SELECT_CURRENT_ROW = 9915,
    ID_GRID_NO_DISCOUNT = 9916,
    ID_GRID_WARRANTY_PART = 9917,
    ID_GRID_SORT = 9918,
    ID_GRID_GIFT = 9919,
    ID_GRID_IMPORT_TABLE = 9920,
    ID_GRID_EXPORT_TABLE = 9921,
    ID_GRID_LINK_PICTURE = 9922,
    ID_GRID_SHOW_PICTURE = 9923,
    ID_GRID_COLUMN_OPERATION = 9924,
    ID_GRID_EXPORT_EXCEL = 9925,
};

// The program's handler of the export, import, picture and column commands of a grid;
// an empty handler leaves them without effect.
using GridMenuHandler = std::function<void(CGridCtrl& grid, int command)>;
void SetGridMenuHandler(GridMenuHandler handler);
