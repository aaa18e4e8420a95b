// The shortage list's 定货 with the real order page behind it: each part short in
// stock lands on the order page once, with the quantity the list proposes, however
// often the list is ordered from.
#include "app/main_frame.h"
#include "app/order_hand_over.h"
#include "common/login_fixture.h"
#include "office/office_forms.h"
#include "office/query_result_dlg.h"
#include "parts/order_page.h"
#include "parts/part_line.h"
#include "parts/parts_forms.h"
#include "res/query_result_template.h"
#include "work/work_sheet.h"

namespace {

class ShortageOrderTest : public LoginTest {
protected:
    void SetUp() override {
        LoginTest::SetUp();
        office::RegisterForms();
        parts::RegisterForms();
        COrderHandOver::Take();
    }
    void TearDown() override {
        CMainFrame::RegisterForm(FormKind::OrderSheet, nullptr);
        CMainFrame::RegisterForm(FormKind::SplitAssemble, nullptr);
        LoginTest::TearDown();
    }
    void OrderFromShortageList(CMainFrame* frame) {
        EXPECT_TRUE(qv_test::AnswerModal<CQueryResultDlg>(
            [&] { frame->OpenForm(FormKind::QueryResult, 0, U("零件缺货")); },
            [](CQueryResultDlg& dialog) {
                qv_test::Click(&dialog, res::query_result::kOrderButton);
            }));
        Pump();
    }
};

TEST_F(ShortageOrderTest, EachShortPartLandsOnTheOrderPageOnce) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    Insert("ljkc", {{{"车型", "桑塔纳"},
                     {"零件名称", "刹车片"},
                     {"编号", "P1"},
                     {"货位", "A1"},
                     {"数量", "1"},
                     {"no", "1"}},
                    {{"车型", "桑塔纳"},
                     {"零件名称", "刹车片"},
                     {"编号", "P1"},
                     {"货位", "B2"},
                     {"数量", "1"},
                     {"no", "2"}}});
    Insert("jjl", {{{"车型", "桑塔纳"},
                    {"零件名称", "刹车片"},
                    {"编号", "P1"},
                    {"警戒量", "5"},
                    {"最大量", "10"},
                    {"no", "1"}},
                   {{"车型", "桑塔纳"},
                    {"零件名称", "雨刮片"},
                    {"编号", "P9"},
                    {"警戒量", "2"},
                    {"no", "2"}}});
    // Ordered twice: the second order page brings back the first one's lines and adds
    // none of the same parts again.
    OrderFromShortageList(frame);
    OrderFromShortageList(frame);
    auto* sheet = dynamic_cast<CWorkSheet*>(frame->GetSheet(CMainFrame::SheetKind::Order));
    ASSERT_NE(sheet, nullptr);
    std::vector<parts::PartLine> lines = parts::ReadLines(*sheet->m_rsLines);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].code, "P1");
    EXPECT_EQ(lines[0].quantity, 8); // up to the maximum, the two bins counted once
    EXPECT_EQ(lines[1].code, "P9");
    EXPECT_EQ(lines[1].quantity, 1);
    EXPECT_TRUE(COrderHandOver::Waiting().empty());
    frame->CloseSheet(CMainFrame::SheetKind::Order);
    Pump();
}

} // namespace
