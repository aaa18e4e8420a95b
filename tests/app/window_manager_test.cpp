// Under a window manager, as on a shop's desktop: a dialog opened from the main window
// comes up in front of it with the keyboard focus, and keeps both when the operator
// activates the main window behind it.
#include "app/about_dlg.h"
#include "app/main_frame.h"
#include "app/settings_sheet.h"
#include "common/login_fixture.h"
#include "common/window_manager.h"
#include "res/command_ids.h"

#include <gtest/gtest.h>
#include <wx/dialog.h>
#include <wx/toplevel.h>

namespace {

using namespace qv_test;

class WindowManagerTest : public LoginTest {
protected:
    void SetUp() override {
        LoginTest::SetUp();
        CAboutDlg::Register();
        CSettingsSheet::Register();
    }
};

bool HasFocus(wxDialog& dialog) {
    return ActiveXWindow() == XWindowOf(&dialog) &&
           wxGetTopLevelParent(wxWindow::FindFocus()) == &dialog;
}

} // namespace

TEST_F(WindowManagerTest, DialogsOpenInFrontOfTheMainWindowAndKeepTheFocus) {
    if (!WindowManagerRunning()) GTEST_SKIP() << "no window manager runs on this display";
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    frame->Raise();
    ASSERT_TRUE(WaitFor([frame] { return ActiveXWindow() == XWindowOf(frame); }));

    for (int command : {ID_APP_ABOUT, ID_CHANGE_PASSWORD, ID_SETTINGS, ID_BACKGROUND}) {
        SCOPED_TRACE(command);
        const bool opened =
            AnswerModal<wxDialog>([frame, command] { frame->ExecuteCommand(command); },
                                  [frame](wxDialog& dialog) {
                                      EXPECT_EQ(wxGetTopLevelParent(dialog.GetParent()), frame);
                                      EXPECT_TRUE(WaitFor([&dialog] { return HasFocus(dialog); }))
                                          << "active " << ActiveXWindow() << ", dialog "
                                          << XWindowOf(&dialog);
                                      EXPECT_TRUE(StackedAbove(&dialog, frame));
                                      // The operator clicks the main window: the manager passes the
                                      // activation on to the dialog that holds it.
                                      frame->Raise();
                                      WaitFor([] { return false; }, 300);
                                      EXPECT_TRUE(WaitFor([&dialog] { return HasFocus(dialog); }));
                                      EXPECT_TRUE(StackedAbove(&dialog, frame));
                                  });
        EXPECT_TRUE(opened);
        // Closed, the dialog gives the activation back to the main window.
        EXPECT_TRUE(WaitFor([frame] { return ActiveXWindow() == XWindowOf(frame); }));
    }
}
