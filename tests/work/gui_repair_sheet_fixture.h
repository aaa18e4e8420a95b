#pragma once
// The repair sheet's tests start the program on an account set made by the first-run
// code, with the workshop's forms registered as the program registers them, and
// drive the sheet as a service adviser does: keys into the picker, names, codes and
// quantities typed into the card's line grid.
#include "common/login_fixture.h"

class CGridCtrl;

class WorkshopTest : public LoginTest {
protected:
    void SetUp() override;
    void TearDown() override;
};

// A key on a window as the keyboard gives it: the dialog's key hook first, then key
// down and the character.
void PressKey(wxWindow* window, int keyCode);
// Types text into a cell of a line grid and ends the edit with Enter.
void TypeIntoCell(CGridCtrl* grid, int row, int col, const wxString& text);
// The grid column titled with a field name, -1 when none.
int ColumnOf(CGridCtrl* grid, const char* title);
