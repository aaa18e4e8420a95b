#pragma once
// The program's start in a test: the main window comes up, the first paint of its
// lower pane opens the login dialog, and the test answers it as the operator would.
// A form test logs in and drives its form in a few lines:
//
//   CMainFrame* frame = LogIn();
//   qv_test::AnswerModal<CSomeDlg>([&] { frame->ExecuteCommand(ID_SOME); },
//                                  [](CSomeDlg& dialog) { qv_test::Click(&dialog, IDOK); });
#include "common/form_driver.h"
#include "common/table_folder.h"

#include <functional>

class CLoginDlg;
class CMainFrame;

class LoginTest : public TableFolderTest {
protected:
    using LoginAnswer = std::function<void(CLoginDlg&)>;

    void SetUp() override;    // registers the login dialog's opener
    void TearDown() override; // and removes it

    // Fills the login dialog (the account set only when given) and presses 确定.
    static LoginAnswer Fill(const char* name, const char* password, const char* set = nullptr);
    // Starts the main window; answer fills the login that its first paint opens.
    CMainFrame* Start(LoginAnswer answer);
    // Logs in on a started program folder; a new folder is first made with the
    // administrator "admin", password "secret", as the first run makes it.
    CMainFrame* LogIn(const char* name = "admin", const char* password = "secret");
};
