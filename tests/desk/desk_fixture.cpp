#include "desk/desk_fixture.h"

#include "app/app_forms.h"
#include "app/first_run.h"
#include "app/login_dlg.h"
#include "app/main_frame.h"
#include "office/office_forms.h"
#include "parts/parts_forms.h"
#include "res/control_ids.h"
#include "res/login_template.h"
#include "work/work_forms.h"

void DeskTest::SetUp() {
    LoginTest::SetUp();
    app::RegisterForms();
    work::RegisterForms();
    parts::RegisterForms();
    office::RegisterForms();
    boxes_ = std::make_unique<desk::MessageBoxes>();
    unanswered_ = std::make_unique<desk::UnansweredDialogs>();
}

void DeskTest::TearDown() {
    unanswered_.reset();
    boxes_.reset();
    for (int kind = 0; kind <= int(FormKind::ReminderPanel); ++kind)
        CMainFrame::RegisterForm(FormKind(kind), nullptr);
    LoginTest::TearDown();
}

CMainFrame* DeskTest::LogIn(const char* name, const char* password) {
    if (CProgramFolderSetup::IsNewFolder()) {
        EXPECT_TRUE(CProgramFolderSetup::Create("admin", "secret"));
    }
    CMainFrame* frame = Start([=](CLoginDlg& dialog) {
        desk::Shot("login");
        desk::Click(res::FindControl(&dialog, res::login::kLoginNameEdit));
        desk::Key('a', wxMOD_CONTROL);
        desk::Type(name);
        desk::Click(res::FindControl(&dialog, res::login::kPasswordEdit));
        desk::Type(password);
        desk::Click(res::FindControl(&dialog, res::IDOK));
        desk::WaitFor([&dialog] { return !dialog.IsModal(); });
    });
    if (!frame || !frame->m_bStarted) return nullptr;
    EXPECT_TRUE(desk::WaitFor([frame] { return frame->IsMaximized() && frame->IsShownOnScreen(); }));
    desk::Shot("logged-in");
    return frame;
}
