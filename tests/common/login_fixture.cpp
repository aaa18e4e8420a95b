#include "common/login_fixture.h"

#include "app/first_run.h"
#include "app/login_dlg.h"
#include "app/main_frame.h"
#include "app/qv_app.h"
#include "res/control_ids.h"
#include "res/login_template.h"

void LoginTest::SetUp() {
    TableFolderTest::SetUp();
    CLoginDlg::Register();
}

void LoginTest::TearDown() {
    CMainFrame::RegisterForm(FormKind::Login, nullptr);
    TableFolderTest::TearDown();
}

LoginTest::LoginAnswer LoginTest::Fill(const char* name, const char* password, const char* set) {
    return [=](CLoginDlg& dialog) {
        qv_test::Type(&dialog, res::login::kLoginNameEdit, name);
        qv_test::Type(&dialog, res::login::kPasswordEdit, password);
        if (set) qv_test::Type(&dialog, res::login::kSetCombo, set);
        qv_test::Click(&dialog, res::IDOK);
    };
}

CMainFrame* LoginTest::Start(LoginAnswer answer) {
    qv_test::ModalDriver<CLoginDlg> driver(std::move(answer));
    auto* app = static_cast<CQvApp*>(wxTheApp);
    EXPECT_TRUE(app->StartUp());
    EXPECT_TRUE(qv_test::WaitFor([&driver] { return driver.Done(); }, 10000));
    return app->m_pMainFrame;
}

CMainFrame* LoginTest::LogIn(const char* name, const char* password) {
    if (CProgramFolderSetup::IsNewFolder()) {
        EXPECT_TRUE(CProgramFolderSetup::Create("admin", "secret"));
    }
    CMainFrame* frame = Start(Fill(name, password));
    EXPECT_TRUE(frame && frame->m_bStarted);
    return frame;
}
