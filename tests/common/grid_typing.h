#pragma once
// Keys and typing into the line grids of the work pages, as the keyboard gives them.
#include <wx/string.h>

class CGridCellEdit;
class CGridCtrl;
class wxWindow;

// A key on a window as the keyboard gives it: the dialog's key hook first, then key
// down and the character.
void PressKey(wxWindow* window, int keyCode);
// Types text into a cell of a line grid and ends the edit with Enter.
void TypeIntoCell(CGridCtrl* grid, int row, int col, const wxString& text);
// Types text into a cell of a line grid and leaves its editor open: the editor, null
// (a failure) when none opened.
CGridCellEdit* TypeIntoOpenCell(CGridCtrl* grid, int row, int col, const wxString& text);
// The grid column titled with a field name, -1 when none.
int ColumnOf(CGridCtrl* grid, const char* title);
