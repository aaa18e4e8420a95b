#include "app/company_page.h"
#include "app/main_frame.h"
#include "app/menu_rights.h"
#include "app/options_page.h"
#include "app/settings_sheet.h"
#include "app/users_file.h"
#include "app/users_page.h"
#include "common/program_folder.h"
#include "grid/grid_ctrl.h"

#include "data/setting_files.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "res/command_ids.h"
#include "res/control_ids.h"
#include "res/users_page_template.h"

#include <gtest/gtest.h>
#include <set>
#include <wx/app.h>
#include <wx/bookctrl.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/menu.h>
#include <wx/textctrl.h>

namespace {

class SettingsSheetTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        ASSERT_TRUE(CUsersFile::CreateWithAdministrator("admin", "secret"));
    }
    void Press(wxWindow* window, int id) {
        wxCommandEvent event(wxEVT_BUTTON, id);
        event.SetEventObject(window);
        window->GetEventHandler()->ProcessEvent(event);
    }
    // Runs the step inside the open sheet's modal loop, then lets the frame's
    // settings command open it.
    void WithOpenSheet(CMainFrame* frame, std::function<void(CSettingsSheet*)> step) {
        frame->CallAfter([step] {
            for (wxWindow* window : wxTopLevelWindows)
                if (auto* sheet = dynamic_cast<CSettingsSheet*>(window);
                    sheet && sheet->IsModal()) {
                    step(sheet);
                    if (sheet->IsModal()) sheet->EndModal(wxID_CANCEL);
                }
        });
        frame->ExecuteCommand(ID_SETTINGS);
    }
};

TEST_F(SettingsSheetTest, PagesFollowTheRights) {
    struct Case {
        const char* rights;
        bool options, users, company;
    } cases[] = {
        {"", true, true, true}, // before a login nothing is denied
        {"admin,0", true, true, true},
        {"wang,59,", false, true, true},
        {"wang,53,", true, false, true},
        {"wang,52,", true, true, false},
        {"wang,152,530,折扣=5.9,", true, true, true}, // whole tokens only
        {"wang,52,53,59,", false, false, false},
    };
    for (const Case& c : cases) {
        CMainFrameData rights;
        rights.m_strRights = U(c.rights);
        CSettingsSheet sheet(nullptr, rights);
        EXPECT_EQ(sheet.OptionsPage() != nullptr, c.options) << c.rights;
        EXPECT_EQ(sheet.UsersPage() != nullptr, c.users) << c.rights;
        EXPECT_EQ(sheet.CompanyPage() != nullptr, c.company) << c.rights;
        EXPECT_EQ(sheet.GetBookCtrl()->GetPageCount(),
                  size_t(c.options) + size_t(c.users) + size_t(c.company))
            << c.rights;
        // The sheet has its own title, whichever pages it holds.
        EXPECT_EQ(sheet.GetTitle(), U("系统设置")) << c.rights;
    }
}

TEST_F(SettingsSheetTest, SavingStopsAtAPageThatRefuses) {
    WriteGbkFile("Picture/Memfile", "Shop,,,,,X,,,,\r\n");
    CMainFrameData rights;
    rights.m_strRights = "admin,0";
    CSettingsSheet sheet(nullptr, rights);
    EXPECT_EQ(sheet.GetTitle(), U("系统设置"));
    sheet.Show();
    Pump();
    // A new user with passwords that differ: refused, the users page is shown.
    qxmm* users = sheet.UsersPage();
    // The list is headed in Chinese, and every right has a caption of its own.
    EXPECT_EQ(res::Control<CGridCtrl>(users, res::users_page::kGrid)->GetItemText(0, 1),
              U("登录名"));
    std::set<wxString> captions;
    for (int id = res::users_page::kFirstRightBox; id <= res::users_page::kLastRightBox; ++id)
        EXPECT_TRUE(captions.insert(res::FindControl(users, id)->GetLabel()).second)
            << res::FindControl(users, id)->GetLabel();
    Press(res::FindControl(users, res::users_page::kNewButton),
          res::ToWxId(res::users_page::kNewButton));
    res::Control<wxComboBox>(users, res::users_page::kLoginCombo)->SetValue("wang");
    res::Control<wxTextCtrl>(users, res::users_page::kPasswordEdit)->SetValue("a");
    res::Control<wxTextCtrl>(users, res::users_page::kRepeatEdit)->SetValue("b");
    sheet.GetBookCtrl()->SetSelection(0);
    platform::ScriptedMessageBoxes boxes;
    EXPECT_FALSE(sheet.ApplyAll());
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"密码或用户名有误,请重新输入!"});
    EXPECT_EQ(sheet.GetBookCtrl()->GetCurrentPage(), users);
    // The options were saved all the same; the untouched company data was not.
    EXPECT_FALSE(CSettingFiles::ReadSettingFile("SystemSet").empty());
    std::string memfile;
    ASSERT_TRUE(platform::ReadFileBytes(Path("Picture/Memfile"), memfile));
    EXPECT_EQ(memfile, "Shop,,,,,X,,,,\r\n");

    res::Control<wxTextCtrl>(users, res::users_page::kPasswordEdit)->SetValue("b");
    res::Control<wxTextCtrl>(users, res::users_page::kRepeatEdit)->SetValue("b");
    EXPECT_TRUE(sheet.ApplyAll());
    CUsersFile file;
    EXPECT_TRUE(file.CheckUser("wang", "b", nullptr));
    sheet.Hide();
}

TEST_F(SettingsSheetTest, SettingsCommandOpensTheSheetAndApplyRetrimsTheMenu) {
    CMainFrame::RegisterForm(FormKind::Login, nullptr);
    CSettingsSheet::Register();
    auto* frame = new CMainFrame;
    wxTheApp->SetTopWindow(frame);
    frame->m_strRights = "admin,0";
    LoadMenuForRights(*frame);
    const wxString repair = U("维修(&W)");
    const int repairMenu = FindMenuItem(frame->GetMenuBar(), repair);
    ASSERT_GE(repairMenu, 0);
    ASSERT_GE(FindMenuItem(frame->GetMenuBar()->GetMenu(repairMenu), U("维修作业(&W)\tCtrl+W")), 0);

    size_t pages = 0;
    WithOpenSheet(frame, [&](CSettingsSheet* sheet) {
        pages = sheet->GetBookCtrl()->GetPageCount();
        qxmm* users = sheet->UsersPage();
        auto* combo = res::Control<wxComboBox>(users, res::users_page::kLoginCombo);
        combo->SetStringSelection("admin");
        wxCommandEvent chosen(wxEVT_COMBOBOX, combo->GetId());
        chosen.SetInt(combo->GetSelection());
        combo->GetEventHandler()->ProcessEvent(chosen);
        auto* box = res::Control<wxCheckBox>(users, 10004); // 维修作业
        box->SetValue(false);
        wxCommandEvent ticked(wxEVT_CHECKBOX, box->GetId());
        box->GetEventHandler()->ProcessEvent(ticked);
        Press(sheet, wxID_APPLY);
    });
    EXPECT_EQ(pages, 3u);
    EXPECT_EQ(frame->m_strRights, "admin,14,");
    const int menu = FindMenuItem(frame->GetMenuBar(), repair);
    if (menu >= 0) {
        EXPECT_LT(FindMenuItem(frame->GetMenuBar()->GetMenu(menu), U("维修作业(&W)\tCtrl+W")), 0);
    }

    // A user denied all three pages is refused instead.
    frame->m_strRights = "wang,52,53,59,";
    platform::ScriptedMessageBoxes boxes;
    bool opened = false;
    WithOpenSheet(frame, [&](CSettingsSheet*) { opened = true; });
    EXPECT_FALSE(opened);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"超出权限,无效操作!"});
    Pump(); // the pending call finds no sheet
    EXPECT_FALSE(opened);
}

} // namespace
