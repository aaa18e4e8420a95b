// The flow analysis and the customer alert opened from their commands after a login.
#include "app/main_frame.h"
#include "common/login_fixture.h"
#include "data/setting_files.h"
#include "grid/grid_ctrl.h"
#include "office/customer_alert_dlg.h"
#include "data/date_range.h"
#include "office/flow_analysis_dlg.h"
#include "office/office_forms.h"
#include "platform/message_box.h"
#include "res/command_ids.h"
#include "res/flow_analysis_template.h"

#include <wx/radiobut.h>

namespace {

class AnalysisTest : public LoginTest {
protected:
    void SetUp() override {
        LoginTest::SetUp();
        office::RegisterForms();
        frame_ = LogIn();
        ASSERT_TRUE(frame_);
        wxString first, last;
        CDateRange::PreviousMonth(wxDateTime::Today(), first, last);
        const std::string day = first.utf8_string();
        const std::string old =
            (wxDateTime::Today() - wxDateSpan::Days(100)).Format("%Y-%m-%d").utf8_string();
        Insert("ljsh", {{{"客户", "京A1"},
                         {"项目名称", "机油"},
                         {"编号", "A1"},
                         {"单价", "10"},
                         {"数量", "6"},
                         {"日期", day.c_str()},
                         {"flag", "W"},
                         {"no", "1"}},
                        {{"客户", "京A2"},
                         {"项目名称", "刹车片"},
                         {"编号", "B1"},
                         {"单价", "10"},
                         {"数量", "2"},
                         {"日期", old.c_str()},
                         {"flag", "W"},
                         {"no", "2"}}});
        Insert("ljkc", {{{"零件名称", "机油"}, {"编号", "A1"}, {"数量", "3"}, {"no", "1"}}});
        Insert("gk", {{{"车牌号码", "京A1"}, {"no", "1"}}, {{"车牌号码", "京A2"}, {"no", "2"}}});
    }
    CMainFrame* frame_ = nullptr;
};

TEST_F(AnalysisTest, FlowAnalysisListsBestSellersAndRefusesBadThresholds) {
    using namespace res::flow_analysis;
    platform::ScriptedMessageBoxes boxes;
    EXPECT_TRUE(qv_test::AnswerModal<CFlowAnalysisDlg>(
        [&] { frame_->ExecuteCommand(ID_FLOW_ANALYSIS); },
        [&](CFlowAnalysisDlg& dialog) {
            EXPECT_EQ(qv_test::Text(&dialog, kSlowEdit), "100");
            EXPECT_EQ(qv_test::Text(&dialog, kBestEdit), "100");
            EXPECT_TRUE(res::Control<wxRadioButton>(&dialog, kAmountRadio)->GetValue());
            for (const char* bad : {"abc", "-5", ""}) {
                qv_test::Type(&dialog, kBestEdit, bad);
                qv_test::Click(&dialog, kBestButton);
            }
            EXPECT_EQ(boxes.Shown().size(), 3u);
            qv_test::Type(&dialog, kBestEdit, "50");
            qv_test::Click(&dialog, kBestButton);
            ASSERT_EQ(dialog.m_grid->GetRowCount(), 2);
            EXPECT_EQ(dialog.m_grid->GetItemText(1, 3), "A1");
            dialog.SaveSettings();
        }));
    EXPECT_EQ(CSettingFiles::ReadSettingFile("llfxSet"), "bl1=100,bl2=50,bl3=2,");
}

TEST_F(AnalysisTest, CustomerAlertListsAbsentCustomersAndTheirLines) {
    using namespace res::customer_alert;
    EXPECT_TRUE(qv_test::AnswerModal<CCustomerAlertDlg>(
        [&] { frame_->ExecuteCommand(ID_CUSTOMER_ALERT); },
        [&](CCustomerAlertDlg& dialog) {
            qv_test::Click(&dialog, kStartButton);
            // 京A2 came 100 days ago; 京A1 recently, so it is neither listed nor never-seen.
            ASSERT_EQ(dialog.m_listGrid->GetRowCount(), 2);
            EXPECT_EQ(dialog.m_listGrid->GetItemText(1, 1), U("京A2"));
            dialog.m_listGrid->SetFocusCell(1, 1);
            dialog.ShowCustomerLines();
            EXPECT_EQ(dialog.m_lineGrid->GetRowCount(), 2);
            qv_test::Click(&dialog, kDeleteButton);
            EXPECT_EQ(dialog.m_listGrid->GetRowCount(), 1);
        }));
    EXPECT_EQ(Column(U("select no from ljsh"), U("no")).size(), 2u);
}

} // namespace
