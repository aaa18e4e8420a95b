#include "app/user_accounts.h"
#include "app/users_page.h"
#include "common/program_folder.h"

#include "data/main_frame_data.h"
#include "grid/grid_ctrl.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "res/control_ids.h"
#include "res/users_page_template.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/dialog.h>
#include <wx/textctrl.h>

using namespace res::users_page;

namespace {

class UsersPageTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        ASSERT_TRUE(CUsersFile::CreateWithAdministrator("admin", "secret"));
        frame_.m_strRights = "admin,0"; // logged in as the administrator
    }
    void TearDown() override {
        if (sheet_) sheet_->Destroy();
        Pump();
        ProgramFolderTest::TearDown();
    }
    // Adds a user to the file as an earlier session of the page would have.
    void AddUser(const char* name, const char* password, const char* qx) {
        CUserAccounts accounts;
        ASSERT_TRUE(accounts.Load());
        ASSERT_EQ(accounts.PutUser(name, password, password, CUserRights::Parse(U(qx))),
                  CUserAccounts::Result::Done);
        ASSERT_TRUE(accounts.Save());
    }
    qxmm* Open() {
        if (sheet_) sheet_->Destroy();
        sheet_ = new wxDialog(nullptr, wxID_ANY, "sheet");
        page_ = new qxmm(sheet_);
        sheet_->Show();
        Pump();
        return page_;
    }
    wxComboBox* Combo() { return res::Control<wxComboBox>(page_, kLoginCombo); }
    wxCheckBox* Box(int right) { return res::Control<wxCheckBox>(page_, 10000 + right); }
    wxString Text(int id) { return res::Control<wxTextCtrl>(page_, id)->GetValue(); }
    void Type(int id, const char* text) { res::Control<wxTextCtrl>(page_, id)->SetValue(U(text)); }
    void Select(const char* name) {
        ASSERT_TRUE(Combo()->SetStringSelection(U(name))) << name;
        wxCommandEvent event(wxEVT_COMBOBOX, Combo()->GetId());
        event.SetEventObject(Combo());
        event.SetInt(Combo()->GetSelection());
        Combo()->GetEventHandler()->ProcessEvent(event);
    }
    void Press(int id) {
        wxWindow* button = res::FindControl(page_, id);
        wxCommandEvent event(wxEVT_BUTTON, button->GetId());
        event.SetEventObject(button);
        button->GetEventHandler()->ProcessEvent(event);
    }
    void Tick(int right, bool on) {
        Box(right)->SetValue(on);
        wxCommandEvent event(wxEVT_CHECKBOX, Box(right)->GetId());
        event.SetEventObject(Box(right));
        event.SetInt(on);
        Box(right)->GetEventHandler()->ProcessEvent(event);
    }
    // The login check's rights string of a user, or "" when the login fails.
    wxString LoginRights(const char* name, const char* password) {
        CUsersFile file;
        wxString rights;
        return file.CheckUser(U(name), U(password), &rights) ? rights : wxString();
    }

    CMainFrameData frame_;
    wxDialog* sheet_ = nullptr;
    qxmm* page_ = nullptr;
};

TEST_F(UsersPageTest, NewUserGetsTheRightsOfTheBoxesAndTheDiscount) {
    Open();
    EXPECT_EQ(Combo()->GetCount(), 1u);
    EXPECT_FALSE(Box(4)->IsEnabled()); // nobody chosen yet
    Press(kToggleButton);
    EXPECT_FALSE(Box(4)->GetValue());

    Press(kNewButton);
    EXPECT_TRUE(Box(4)->IsEnabled());
    Combo()->SetValue("wang");
    Type(kPasswordEdit, "abc");
    Type(kRepeatEdit, "abc");
    Type(kDiscountEdit, "85");
    ASSERT_TRUE(page_->OnOK());
    wxString all;
    for (int token = 14; token <= 67; ++token)
        all += wxString::Format("%d,", token);
    EXPECT_EQ(LoginRights("wang", "abc"), "wang," + all + U("折扣=8.5,"));
    EXPECT_FALSE(Box(4)->IsEnabled());
    EXPECT_EQ(Combo()->GetValue(), "wang");
    EXPECT_EQ(Combo()->GetCount(), 2u);
    // The grid lists the users by name only, never their passwords.
    auto* grid = res::Control<CGridCtrl>(page_, kGrid);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->GetColumnCount(), 2);
    ASSERT_EQ(grid->GetRowCount(), 3);
    EXPECT_EQ(grid->GetItemText(2, 1).Trim(), "wang");

    // Chosen again on a new page: nothing ticked, the discount in tenths.
    Open();
    Select("wang");
    EXPECT_EQ(Text(kPasswordEdit), "abc");
    EXPECT_EQ(Text(kRepeatEdit), "abc");
    for (int right = 4; right <= 57; ++right)
        EXPECT_FALSE(Box(right)->GetValue()) << right;
    EXPECT_EQ(Text(kDiscountEdit), "85");

    // Everything ticked with discount 0 is "0".
    Press(kToggleButton);
    EXPECT_EQ(res::FindControl(page_, kToggleButton)->GetLabel(), U("全清"));
    EXPECT_EQ(Text(kDiscountEdit), "0");
    ASSERT_TRUE(page_->OnApply());
    EXPECT_EQ(LoginRights("wang", "abc"), "wang,0");
}

TEST_F(UsersPageTest, BoxesShowWholeTokens) {
    AddUser("li", "pw", "114,53,折扣=5.6,");
    Open();
    Select("li");
    EXPECT_TRUE(Box(4)->GetValue());   // "114" is no "14"
    EXPECT_TRUE(Box(46)->GetValue());  // "56" only inside the discount
    EXPECT_FALSE(Box(43)->GetValue()); // "53"
    EXPECT_EQ(Text(kDiscountEdit), "56");
}

TEST_F(UsersPageTest, RefusedInputKeepsThePageOpenAndTheFile) {
    AddUser("wang", "abc", "0");
    Open();
    platform::ScriptedMessageBoxes boxes;
    Select("wang");
    Type(kPasswordEdit, "abc");
    Type(kRepeatEdit, "abd");
    Tick(4, false);
    EXPECT_FALSE(page_->OnOK());
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"密码或用户名有误,请重新输入!"});
    EXPECT_EQ(Text(kPasswordEdit), "");
    EXPECT_EQ(Text(kRepeatEdit), "");
    EXPECT_EQ(LoginRights("wang", "abc"), "wang,0");

    boxes.Clear();
    Combo()->SetValue("abcdefghijk");
    Type(kPasswordEdit, "abc");
    Type(kRepeatEdit, "abc");
    EXPECT_FALSE(page_->OnOK());
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"输入字符太长,请重新输入!"});
    EXPECT_EQ(Combo()->GetValue(), "");

    boxes.Clear();
    Combo()->SetValue("wang");
    Type(kDiscountEdit, "150");
    EXPECT_FALSE(page_->OnOK());
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"授权折扣只能输入0到100的数字!"});

    // Corrected, the same press saves.
    boxes.Clear();
    Type(kDiscountEdit, "0");
    ASSERT_TRUE(page_->OnOK());
    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_EQ(LoginRights("wang", "abc"), "wang,14,");
}

TEST_F(UsersPageTest, DeletionIsConfirmedAndWrittenByTheNextSave) {
    AddUser("wang", "abc", "0");
    Open();
    platform::ScriptedMessageBoxes boxes;
    Select("wang");
    boxes.Reply(platform::IDNO);
    Press(kDeleteButton);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"确实要删除用户wang吗?"});
    EXPECT_EQ(Combo()->GetCount(), 2u);

    boxes.Clear();
    boxes.Reply(platform::IDYES);
    Press(kDeleteButton);
    EXPECT_EQ(Combo()->GetCount(), 1u);
    EXPECT_EQ(Text(kPasswordEdit), "");
    EXPECT_EQ(LoginRights("wang", "abc"), "wang,0"); // not yet written
    ASSERT_TRUE(page_->OnOK());
    EXPECT_EQ(LoginRights("wang", "abc"), "");
    EXPECT_EQ(LoginRights("admin", "secret"), "admin,0");

    // The login in use, and the last one who manages the users, stay.
    boxes.Clear();
    Select("admin");
    Press(kDeleteButton);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"不能删除当前登录的用户!"});
    boxes.Clear();
    Tick(43, false);
    EXPECT_FALSE(page_->OnOK());
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"至少要保留一个有权限设置的用户!"});
    EXPECT_EQ(LoginRights("admin", "secret"), "admin,0");
}

TEST_F(UsersPageTest, ApplyGivesTheLoggedInUserTheirNewRights) {
    AddUser("wang", "abc", "0");
    AddUser("boss", "pw", "0");
    Open();
    // Another user's rights do not become the operator's.
    Select("wang");
    Tick(10, false);
    ASSERT_TRUE(page_->OnApply());
    EXPECT_EQ(frame_.m_strRights, "admin,0");
    EXPECT_EQ(LoginRights("wang", "abc"), "wang,20,");

    Select("admin");
    Tick(4, false);
    Tick(43, false);
    ASSERT_TRUE(page_->OnApply());
    EXPECT_EQ(frame_.m_strRights, "admin,14,53,");
    EXPECT_FALSE(frame_.CheckRight(4));
}

} // namespace
