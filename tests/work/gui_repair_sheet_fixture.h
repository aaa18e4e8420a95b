#pragma once
// The repair sheet's tests start the program on an account set made by the first-run
// code, with the workshop's forms registered as the program registers them, and
// drive the sheet as a service adviser does: keys into the picker, names, codes and
// quantities typed into the card's line grid.
#include "common/grid_typing.h"
#include "common/login_fixture.h"

class CGridCtrl;

class WorkshopTest : public LoginTest {
protected:
    void SetUp() override;
    void TearDown() override;
};
