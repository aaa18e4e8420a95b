#pragma once
// The program at the shop's desk: every subsystem's forms registered as the program
// registers them, the operator logged in by typing into the login dialog, the main
// window maximised on the screen, message boxes shown and answered on the screen.
//
//   CMainFrame* frame = LogIn();
//   desk::Menu('W', "W");                    // 维修 > 维修作业
//   desk::Click(res::FindControl(page, kNewButton));
#include "common/login_fixture.h"
#include "desk/screen_driver.h"

#include <memory>

class DeskTest : public LoginTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program and logs in as the operator types it; a new folder is first
    // made with the administrator "admin", password "secret". The main window, null
    // when it did not come up maximised and logged in.
    CMainFrame* LogIn(const char* name = "admin", const char* password = "secret");

    std::unique_ptr<desk::MessageBoxes> boxes_;
    std::unique_ptr<desk::UnansweredDialogs> unanswered_;
};
