// The alerts after a login: the reminder panel with the counts of the login, its
// entries opening their lists, and the shortage list handing its parts to the order
// page.
#include "app/first_run.h"
#include "app/main_frame.h"
#include "app/order_hand_over.h"
#include "app/outbar_ctrl.h"
#include "common/login_fixture.h"
#include "data/setting_files.h"
#include "grid/grid_ctrl.h"
#include "office/office_forms.h"
#include "office/query_result_dlg.h"
#include "office/reminder_dlg.h"
#include "platform/message_box.h"
#include "res/command_ids.h"
#include "res/query_result_template.h"

#include <wx/uiaction.h>
#include <wx/weakref.h>

namespace {

class AlertsTest : public LoginTest {
protected:
    void SetUp() override {
        LoginTest::SetUp();
        office::RegisterForms();
        // The set exists before the login counts its alerts.
        ASSERT_TRUE(CProgramFolderSetup::IsNewFolder());
        ASSERT_TRUE(CProgramFolderSetup::Create("admin", "secret"));
        // Plain tables until the first login encrypts them.
        Execute(
            Path("Data"),
            {"insert into ljkc (车型,零件名称,编号,货位,数量,no) values "
             "('桑塔纳','刹车片','P1','A1',1,1)",
             "insert into ljkc (车型,零件名称,编号,货位,数量,no) values "
             "('桑塔纳','刹车片','P1','B2',1,2)",
             "insert into ljkc (车型,零件名称,编号,货位,数量,no) values "
             "('捷达','皮带','','A1',1,3)",
             "insert into jjl (车型,零件名称,编号,警戒量,最大量,no) values "
             "('桑塔纳','刹车片','P1',5,10,1)",
             "insert into jjl (车型,零件名称,编号,警戒量,最大量,no) values "
             "('捷达','皮带','',3,6,2)",
             "insert into jjl (车型,零件名称,编号,警戒量,no) values ('桑塔纳','雨刮片','P9',2,3)"});
        CSettingFiles::WriteSettingFile("SystemSet", U("提示1=1,提示2=1,提示3=0,"));
        COrderHandOver::Take();
    }
    void TearDown() override {
        CMainFrame::RegisterForm(FormKind::OrderSheet, nullptr);
        LoginTest::TearDown();
    }
    static CReminderDlg* Panel() {
        for (wxWindow* window : wxTopLevelWindows)
            if (auto* panel = dynamic_cast<CReminderDlg*>(window)) return panel;
        return nullptr;
    }
};

TEST_F(AlertsTest, PanelAfterLoginOpensTheShortageListWhichOrdersEachPartOnce) {
    CMainFrame* frame = Start(Fill("admin", "secret"));
    ASSERT_TRUE(frame);
    Pump();
    CReminderDlg* panel = Panel();
    ASSERT_TRUE(panel);
    EXPECT_TRUE(panel->IsShown());
    CGfxOutBarCtrl* bar = panel->Bar();
    ASSERT_EQ(bar->GetItemCount(), 2);
    // The part in two bins and the blank part listed by two statements count once.
    EXPECT_EQ(bar->GetItemText(0), U("零件缺货:3"));
    EXPECT_EQ(bar->GetItemText(1), U("零件溢出:0"));

    int orderSheets = 0;
    CMainFrame::RegisterForm(FormKind::OrderSheet, [&](CMainFrame&, int mode, const wxString&) {
        EXPECT_EQ(mode, 1);
        ++orderSheets;
    });
    // The shortage entry opens the shortage list, and only it.
    EXPECT_TRUE(qv_test::AnswerModal<CQueryResultDlg>(
        [&] { panel->OnOutBarNotify(CGfxOutBarCtrl::NM_ITEMCLICK, 0); },
        [](CQueryResultDlg& dialog) {
            EXPECT_EQ(dialog.m_strKind, U("零件缺货"));
            EXPECT_EQ(dialog.m_grid->GetRowCount(), 4);
            EXPECT_TRUE(res::FindControl(&dialog, res::query_result::kOrderButton)->IsShown());
            EXPECT_FALSE(res::FindControl(&dialog, res::query_result::kMarkAllButton)->IsShown());
            qv_test::Click(&dialog, res::query_result::kOrderButton);
        }));
    EXPECT_EQ(orderSheets, 1);
    const std::vector<OrderLine> lines = COrderHandOver::Take();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].part, "P1");
    EXPECT_EQ(lines[1].quantity, "8");
    // A part without a maximum is ordered once.
    EXPECT_EQ(lines[2].name, U("雨刮片"));
    EXPECT_EQ(lines[2].quantity, "1");

    // "关闭" hides the panel; the close box ends it.
    panel->OnOutBarNotify(CGfxOutBarCtrl::NM_FOLDERCHANGE, 900);
    EXPECT_FALSE(panel->IsShown());
    wxWeakRef<wxWindow> alive(panel);
    panel->Close();
    Pump();
    EXPECT_FALSE(alive);
}

// Clicked where the panel draws them, through the display: an item opens its list,
// the "关闭" header hides the panel.
TEST_F(AlertsTest, PanelItemsAndCloseHeaderAnswerRealClicks) {
    ASSERT_TRUE(Start(Fill("admin", "secret")));
    Pump();
    CReminderDlg* panel = Panel();
    ASSERT_TRUE(panel);
    ASSERT_TRUE(qv_test::WaitFor([&] { return panel->IsShownOnScreen(); }));
    CGfxOutBarCtrl* bar = panel->Bar();
    const auto click = [bar](const wxRect& rect) {
        wxUIActionSimulator mouse;
        mouse.MouseMove(bar->ClientToScreen(rect.GetPosition() + rect.GetSize() / 2));
        qv_test::WaitFor([] { return false; }, 200);
        mouse.MouseClick();
    };
    wxString opened;
    EXPECT_TRUE(qv_test::AnswerModal<CQueryResultDlg>(
        [&] {
            click(bar->GetIconRect(0, 0));
            qv_test::WaitFor([&] { return !opened.empty(); });
        },
        [&](CQueryResultDlg& dialog) { opened = dialog.m_strKind; }));
    EXPECT_EQ(opened, U("零件缺货"));
    EXPECT_TRUE(panel->IsShown());

    click(bar->GetFolderRect(1));
    EXPECT_TRUE(qv_test::WaitFor([&] { return !panel->IsShown(); }));
}

TEST_F(AlertsTest, NoPanelWhenEveryReminderIsOff) {
    CSettingFiles::WriteSettingFile("SystemSet", U("提示1=0,"));
    ASSERT_TRUE(Start(Fill("admin", "secret")));
    Pump();
    EXPECT_FALSE(Panel());
}

TEST(ReminderItems, OpenTheirListByContainedText) {
    EXPECT_EQ(CReminderDlg::CommandOfItem(U("零件缺货:0")), ID_QUERY_SHORTAGE);
    EXPECT_EQ(CReminderDlg::CommandOfItem(U("保养车辆:4")), ID_QUERY_MAINTENANCE);
    EXPECT_EQ(CReminderDlg::CommandOfItem(U("生日客户:1")), ID_QUERY_BIRTHDAY);
    EXPECT_EQ(CReminderDlg::CommandOfItem(U("年审车辆:2")), ID_QUERY_INSPECTION);
    EXPECT_EQ(CReminderDlg::CommandOfItem(U("其它")), 0);
}

} // namespace

namespace {

class InspectionListTest : public LoginTest {
protected:
    void SetUp() override {
        LoginTest::SetUp();
        office::RegisterForms();
        frame_ = LogIn();
        ASSERT_TRUE(frame_);
        // Plates ending in this month's digit are due.
        const int month = wxDateTime::Today().GetMonth() + 1;
        due1_ = wxString::Format(U("京A10%d"), month % 10).utf8_string();
        due2_ = wxString::Format(U("京B2%d"), month % 10).utf8_string();
        other_ = wxString::Format(U("京C30%d"), (month + 5) % 10).utf8_string();
        Insert("gk", {{{"车牌号码", due1_.c_str()}, {"no", "1"}},
                      {{"车牌号码", due2_.c_str()}, {"no", "2"}},
                      {{"车牌号码", other_.c_str()}, {"no", "3"}}});
    }
    CMainFrame* frame_ = nullptr;
    std::string due1_, due2_, other_;
};

TEST_F(InspectionListTest, MarksWriteTheListedVehiclesAndPendingHidesThem) {
    using namespace res::query_result;
    EXPECT_TRUE(qv_test::AnswerModal<CQueryResultDlg>(
        [&] { frame_->ExecuteCommand(ID_QUERY_INSPECTION); },
        [&](CQueryResultDlg& dialog) {
            CGridCtrl* grid = dialog.m_grid;
            ASSERT_EQ(grid->GetRowCount(), 3);
            EXPECT_FALSE(res::FindControl(&dialog, kOrderButton)->IsShown());
            grid->SetFocusCell(2, 1);
            const wxString marked = grid->GetItemText(2, 1);
            qv_test::Click(&dialog, kMarkButton);
            EXPECT_EQ(grid->GetItemImage(2, 0), 0);
            EXPECT_LT(grid->GetItemImage(1, 0), 0);
            qv_test::Click(&dialog, kPendingButton);
            ASSERT_EQ(grid->GetRowCount(), 2);
            EXPECT_NE(grid->GetItemText(1, 1), marked);
            // 详细 brings the full list back with its mark from the table.
            qv_test::Click(&dialog, kBriefButton);
            EXPECT_EQ(grid->GetColumnCount(), 7);
            qv_test::Click(&dialog, kBriefButton);
            ASSERT_EQ(grid->GetRowCount(), 3);
            EXPECT_EQ(grid->GetItemImage(2, 0), 0);
            qv_test::Click(&dialog, kMarkAllButton);
            qv_test::Click(&dialog, kPendingButton);
            EXPECT_EQ(grid->GetRowCount(), 1);
        }));
    // Only the listed vehicles carry the mark; an old round's marks are cleared.
    EXPECT_EQ(Column(U("select 标致 from gk order by no"), U("标致")),
              (std::vector<wxString>{"T", "T", ""}));
}

} // namespace
