#include "app/login_dlg.h"
#include "common/login_fixture.h"

#include "app/account_sets.h"
#include "app/catalog_tree.h"
#include "app/first_run.h"
#include "app/first_run_dlg.h"
#include "app/main_frame.h"
#include "app/menu_rights.h"
#include "app/qv_app.h"
#include "app/text_view.h"
#include "app/users_file.h"
#include "data/backup_restore.h"
#include "data/data_folders.h"
#include "data/setting_files.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "res/command_ids.h"
#include "res/control_ids.h"
#include "res/first_run_template.h"
#include "res/login_template.h"

#include <functional>
#include <wx/combobox.h>
#include <wx/menu.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/toolbar.h>

namespace {

using Texts = std::vector<std::string>;
const char* const kWrongUser = "密码或用户名有误,请重新输入!";

using qv_test::Click;
using qv_test::ModalDriver;
using qv_test::Text;
using qv_test::Type;

bool HasMenuItem(CMainFrame* frame, const char* top, const char* item) {
    wxMenuBar* bar = frame->GetMenuBar();
    int t = FindMenuItem(bar, U(top));
    return t >= 0 && FindMenuItem(bar->GetMenu(t), U(item)) >= 0;
}

class LoginFlowTest : public LoginTest {
protected:
    // Adds a user to the users file, as the users page does.
    void AddUser(const char* name, const char* password, const char* denied) {
        CUsersFile users;
        ASSERT_TRUE(users.Load());
        ado::Recordset& rs = *users.Recordset();
        rs.AddNew();
        rs.Fields().Item("logname").PutValue(ado::Variant(name));
        rs.Fields().Item("pass").PutValue(ado::Variant(password));
        rs.Fields().Item("qx").PutValue(ado::Variant(denied));
        rs.Update();
        ASSERT_TRUE(users.Save());
    }

    // Runs a login command; `drive` answers the dialog.
    void Command(CMainFrame* frame, int id, LoginAnswer drive) {
        EXPECT_TRUE(
            qv_test::AnswerModal<CLoginDlg>([&] { frame->ExecuteCommand(id); }, std::move(drive)));
    }
};

// The way a shop goes on its first day: a new folder, the administrator named in
// the first-run dialog, a clerk without right 10 (零件售货) logs in, changes the
// password, and the administrator logs in after the clerk.
TEST_F(LoginFlowTest, NewFolderFirstRunLoginPasswordChangeAndSecondUser) {
    ASSERT_TRUE(CProgramFolderSetup::IsNewFolder());
    {
        ModalDriver<CFirstRunDlg> driver([](CFirstRunDlg& dialog) {
            using namespace res::first_run;
            Type(&dialog, kLoginNameEdit, "admin");
            Type(&dialog, kPasswordEdit, "secret");
            Type(&dialog, kRepeatEdit, "secret");
            Click(&dialog, res::IDOK);
        });
        EXPECT_TRUE(CFirstRunDlg::SetUpNewFolder());
        EXPECT_TRUE(driver.Done());
    }
    EXPECT_TRUE(platform::FileExists(Path("Picture/setup.BMP")));
    AddUser("clerk", "pw1", "20,");

    platform::ScriptedMessageBoxes boxes;
    CMainFrame* frame = Start(Fill("clerk", "pw1"));
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(boxes.Texts().empty()); // the new folder ended cleanly: no question
    EXPECT_TRUE(frame->m_bStarted);
    EXPECT_EQ(frame->m_strRights, "clerk,20,");
    EXPECT_FALSE(HasMenuItem(frame, "配件(&P)", "零件售货(&L)\tCtrl+L"));
    EXPECT_TRUE(HasMenuItem(frame, "维修(&W)", "维修作业(&W)\tCtrl+W"));
    EXPECT_TRUE(frame->GetMainToolBar()->IsEnabled());
    // The empty stock of the new folder: the five groups of the catalogue tree.
    EXPECT_EQ(
        frame->GetCatalogTree()->GetChildrenCount(frame->GetCatalogTree()->GetRootItem(), false),
        5u);
    EXPECT_FALSE(CSettingFiles::FileExists("Picture/FirstRun"));
    EXPECT_TRUE(platform::ListFiles(Path("Data"), "*.dbf").empty());
    EXPECT_FALSE(platform::FileExists(Path(CUsersFile::kWorkingCopy)));
    EXPECT_EQ(CSettingFiles::ReadSettingFile("currztname"), U("默认帐套"));

    frame->ExecuteCommand(ID_SALES_SHEET);
    EXPECT_EQ(boxes.Texts(), Texts{"权限不够,不能操作!"});
    boxes.Clear();

    Command(frame, ID_CHANGE_PASSWORD, [](CLoginDlg& dialog) {
        using namespace res::login;
        EXPECT_EQ(dialog.GetTitle(), U("修改密码"));
        EXPECT_FALSE(res::FindControl(&dialog, kSetCombo)->IsShown());
        EXPECT_TRUE(res::FindControl(&dialog, kRepeatEdit)->IsShown());
        Type(&dialog, kLoginNameEdit, "clerk");
        Type(&dialog, kPasswordEdit, "pw1");
        Type(&dialog, kNewPasswordEdit, "pw2");
        Type(&dialog, kRepeatEdit, "pw3");
        Click(&dialog, res::IDOK);
        EXPECT_TRUE(Text(&dialog, kNewPasswordEdit).empty());
        // The stored password loses trailing blanks: it could never be typed again.
        Type(&dialog, kNewPasswordEdit, "pw2 ");
        Type(&dialog, kRepeatEdit, "pw2 ");
        Click(&dialog, res::IDOK);
        Type(&dialog, kNewPasswordEdit, "一二三四五六");
        Type(&dialog, kRepeatEdit, "一二三四五六");
        Click(&dialog, res::IDOK);
        Type(&dialog, kNewPasswordEdit, "pw2");
        Type(&dialog, kRepeatEdit, "pw2");
        Click(&dialog, res::IDOK);
        EXPECT_TRUE(dialog.IsModal()); // stays open; 退出 closes it
        Click(&dialog, res::IDCANCEL);
    });
    EXPECT_EQ(boxes.Texts(), (Texts{"新密码有误,请重新输入!", "新密码有误,请重新输入!",
                                    "输入字符太长,请重新输入!", "密码修改成功，请记住新密码!"}));
    EXPECT_EQ(frame->m_strRights, "clerk,20,");
    CUsersFile users;
    EXPECT_FALSE(users.CheckUser("clerk", "pw1", nullptr));
    EXPECT_TRUE(users.CheckUser("clerk", "pw2", nullptr));
    EXPECT_TRUE(users.CheckUser("admin", "secret", nullptr));
    boxes.Clear();

    Command(frame, ID_LOGIN, Fill("admin", "secret"));
    EXPECT_TRUE(boxes.Texts().empty()); // a second login asks nothing
    EXPECT_EQ(frame->m_strRights, "admin,0");
    EXPECT_TRUE(HasMenuItem(frame, "配件(&P)", "零件售货(&L)\tCtrl+L"));

    // The day ends: the backup of the weekday, no plain copy left, a clean exit.
    frame->Close(true);
    Pump();
    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_TRUE(CSettingFiles::FileExists("Picture/noerro"));
    EXPECT_TRUE(platform::ListFiles(DataPathFile(""), "*.dbf").empty());
    EXPECT_TRUE(platform::FileExists(
        Path("AutBak/" + AutoBackupDayName(wxDateTime::Now()).utf8_string() + "/ljsh.dwf")));
}

// A login that fails leaves the running session as it was: the current set, the
// rights and the open sheet.
TEST_F(LoginFlowTest, AccountSetsThroughTheDialogAndFailedLoginsChangeNothing) {
    ASSERT_TRUE(CProgramFolderSetup::Create("admin", "secret"));
    AddUser("li", "pw", "0");
    platform::ScriptedMessageBoxes boxes;
    CMainFrame* frame = Start(Fill("admin", "secret"));
    ASSERT_TRUE(frame->m_bStarted);

    // A new set: typed into the set box, confirmed when the box is left.
    boxes.Reply(platform::IDYES);
    Command(frame, ID_LOGIN, [](CLoginDlg& dialog) {
        Type(&dialog, res::login::kLoginNameEdit, "admin");
        Type(&dialog, res::login::kPasswordEdit, "secret");
        Type(&dialog, res::login::kSetCombo, "..");
        dialog.OnAccountSetKillFocus();
        Type(&dialog, res::login::kSetCombo, "Shop");
        dialog.OnAccountSetKillFocus();
    });
    EXPECT_EQ(boxes.Texts(),
              (Texts{"帐套名不能用作目录名，请换一个名称(不超过10个字节，不含 / \\ , * ? 等符号)。",
                     "是否要新建帐套：“Shop”？", "操作完成 "}));
    EXPECT_TRUE(CSettingFiles::FileExists("Shop/ljsh.dwf"));
    EXPECT_EQ(CSettingFiles::ReadSettingFile("ztfile"), "Shop,");
    EXPECT_EQ(CSettingFiles::ReadSettingFile("Shopzt"), "admin#,");
    EXPECT_EQ(frame->m_strRights, "admin,0"); // a check in the dialog is no login
    boxes.Clear();

    frame->m_pActiveSheet = new wxWindow(frame->GetTextView(), wxID_ANY);
    wxWeakRef<wxWindow> sheet(frame->m_pActiveSheet);
    // Wrong password; then a user who does not own the set.
    Command(frame, ID_LOGIN, [](CLoginDlg& dialog) {
        Fill("admin", "wrong", "Shop")(dialog);
        EXPECT_TRUE(Text(&dialog, res::login::kPasswordEdit).empty());
        Fill("li", "pw", "Shop")(dialog);
    });
    EXPECT_EQ(boxes.Texts(), (Texts{kWrongUser, kWrongUser}));
    EXPECT_EQ(CSettingFiles::ReadSettingFile("currztname"), U("默认帐套"));
    EXPECT_EQ(frame->m_strRights, "admin,0");
    EXPECT_EQ(g_strSetFolder, "Data/");
    EXPECT_TRUE(sheet);
    boxes.Clear();

    Command(frame, ID_LOGIN, Fill("admin", "secret", "Shop"));
    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_EQ(CSettingFiles::ReadSettingFile("currztname"), "Shop");
    EXPECT_EQ(g_strSetFolder, "Shop/");
    EXPECT_TRUE(frame->m_dsMain.m_strConnection.EndsWith("/Data/Shop/")); // reconnected
    Pump();
    EXPECT_FALSE(sheet); // a new login closes the open sheets
    EXPECT_EQ(frame->m_pActiveSheet, nullptr);

    // The set in use cannot be deleted; from the default set it can, by its owner.
    boxes.Reply(platform::IDYES);
    boxes.Reply(platform::IDYES);
    Command(frame, ID_LOGIN, [](CLoginDlg& dialog) {
        EXPECT_EQ(res::Control<wxComboBox>(&dialog, res::login::kSetCombo)->GetValue(), "Shop");
        Type(&dialog, res::login::kLoginNameEdit, "admin");
        Type(&dialog, res::login::kPasswordEdit, "secret");
        Click(&dialog, res::login::kDeleteSetButton);
    });
    ASSERT_EQ(boxes.Texts().size(), 2u);
    EXPECT_TRUE(platform::FolderExists(Path("Shop")));
    Command(frame, ID_LOGIN, Fill("admin", "secret", "默认帐套"));
    boxes.Clear();
    Command(frame, ID_LOGIN, [](CLoginDlg& dialog) {
        Type(&dialog, res::login::kLoginNameEdit, "admin");
        Type(&dialog, res::login::kPasswordEdit, "secret");
        Type(&dialog, res::login::kSetCombo, "Shop");
        Click(&dialog, res::login::kDeleteSetButton);
    });
    EXPECT_EQ(boxes.Texts(), (Texts{"是否真要删除帐套：“Shop”？", "操作完成 "}));
    EXPECT_FALSE(platform::FolderExists(Path("Shop")));
    EXPECT_FALSE(CSettingFiles::FileExists("Picture/ztfile"));
}

TEST_F(LoginFlowTest, DamagedUsersFileOrGoneSetLeaveAWayOut) {
    ASSERT_TRUE(CProgramFolderSetup::Create("admin", "secret"));
    ASSERT_TRUE(platform::WriteFileAtomic(Path(CUsersFile::kStoredFile), "damaged"));
    ASSERT_EQ(CSettingFiles::WriteSettingFile("currztname", "Gone"), 1);
    platform::ScriptedMessageBoxes boxes;
    CMainFrame* frame = Start(Fill("admin", "secret"));
    EXPECT_EQ(
        boxes.Texts(),
        (Texts{"上次登录的帐套“Gone”的数据目录已不存在，现在选的是默认帐套，也可以选择其它帐套。",
               CUsersFile::DamagedText()}));
    EXPECT_FALSE(frame->m_bStarted);
    EXPECT_TRUE(frame->m_strRights.empty());
    EXPECT_EQ(frame->GetMenuBar()->GetMenuCount(), 2u); // still the small menu
    EXPECT_EQ(CSettingFiles::ReadSettingFile("currztname"), "Gone");
    EXPECT_TRUE(CSettingFiles::FileExists("Picture/FirstRun"));
    EXPECT_FALSE(platform::FileExists(Path(CUsersFile::kWorkingCopy)));
}

} // namespace

namespace {

// Enter with an empty password goes to the password box instead of logging in.
TEST_F(LoginFlowTest, EnterWithoutPasswordDoesNotLogIn) {
    ASSERT_TRUE(CProgramFolderSetup::Create("admin", "secret"));
    CMainFrame* frame = Start([](CLoginDlg& dialog) {
        Type(&dialog, res::login::kLoginNameEdit, "admin");
        wxKeyEvent enter(wxEVT_CHAR_HOOK);
        enter.m_keyCode = WXK_RETURN;
        dialog.ProcessWindowEvent(enter);
        EXPECT_FALSE(enter.GetSkipped());
        EXPECT_TRUE(dialog.IsModal());
        Type(&dialog, res::login::kPasswordEdit, "secret");
        wxKeyEvent again(wxEVT_CHAR_HOOK);
        again.m_keyCode = WXK_RETURN;
        dialog.ProcessWindowEvent(again);
        EXPECT_TRUE(again.GetSkipped()); // the default button's turn
    });
    EXPECT_FALSE(frame->m_bStarted);
}

} // namespace

namespace {

// The arrow keys move between the boxes, once per press.
TEST_F(LoginFlowTest, ArrowKeysMoveBetweenTheBoxes) {
    ASSERT_TRUE(CProgramFolderSetup::Create("admin", "secret"));
    std::vector<int> focused;
    Start([&focused](CLoginDlg& dialog) {
        auto press = [&dialog](int key) {
            wxKeyEvent event(wxEVT_CHAR_HOOK);
            event.m_keyCode = key;
            dialog.ProcessWindowEvent(event);
            Pump(2);
        };
        // Without a window manager the focus can take a few rounds to arrive:
        // wait for the box the key should reach, and note where it ended.
        auto current = [](int expected) {
            int id = 0;
            for (int round = 0; round < 200; ++round) {
                wxWindow* focus = wxWindow::FindFocus();
                id = focus ? res::FromWxId(focus->GetId()) : 0;
                if (id == expected) break;
                Pump(1);
                wxMilliSleep(5);
            }
            return id;
        };
        res::FindControl(&dialog, res::login::kLoginNameEdit)->SetFocus();
        Pump(2);
        focused.push_back(current(res::login::kLoginNameEdit));
        press(WXK_DOWN);
        focused.push_back(current(res::login::kPasswordEdit));
        press(WXK_UP);
        focused.push_back(current(res::login::kLoginNameEdit));
    });
    EXPECT_EQ(focused, (std::vector<int>{res::login::kLoginNameEdit, res::login::kPasswordEdit,
                                         res::login::kLoginNameEdit}));
}

} // namespace
