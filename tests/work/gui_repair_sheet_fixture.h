#pragma once
// The repair sheet's tests start the program on an account set made by the first-run
// code, with the workshop's forms registered as the program registers them, and
// drive the sheet as a service adviser does: keys into the picker, names, codes and
// quantities typed into the card's line grid.
#include "common/grid_typing.h"
#include "common/login_fixture.h"

class CGridCtrl;
class CMainFrame;
class CVehiclePickDlg;
class WXZY;

class WorkshopTest : public LoginTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Types the text into the picker and presses Enter.
    static void BindPlate(CVehiclePickDlg* picker, const char* typed);
    // The repair sheet opened by its command and a plate bound in its picker: the
    // active card, null when the sheet or the card did not come up.
    static WXZY* OpenCard(CMainFrame* frame, const char* plate);
};
