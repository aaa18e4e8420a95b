// A counter clerk sells to a walk-in customer at the screen: the sales sheet opened from
// the menu, parts typed by code into the ticket's lines, a discount beyond the clerk's
// limit refused and one within it taken, the ticket settled in cash.
#include "desk/desk_fixture.h"

#include "common/grid_typing.h"

#include "app/first_run.h"
#include "app/main_frame.h"
#include "app/users_file.h"
#include "grid/grid_ctrl.h"
#include "parts/sales_page.h"
#include "res/sales_page_template.h"
#include "res/settle_template.h"
#include "work/part_pick_dlg.h"
#include "work/settle_dlg.h"
#include "work/work_sheet.h"

#include <wx/textctrl.h>

using namespace res::sales_page;
using Texts = std::vector<wxString>;

namespace {

class CounterTicketDeskTest : public DeskTest {
protected:
    // The administrator's folder with a clerk allowed down to 85 %.
    CMainFrame* LogInClerk() {
        EXPECT_TRUE(CProgramFolderSetup::Create("admin", "secret"));
        CUsersFile users;
        EXPECT_TRUE(users.Load());
        ado::Recordset& rs = *users.Recordset();
        rs.AddNew();
        rs.Fields().Item("logname").PutValue(ado::Variant("clerk"));
        rs.Fields().Item("pass").PutValue(ado::Variant("pw"));
        rs.Fields().Item("qx").PutValue(ado::Variant(U("折扣=8.5,").utf8_string()));
        rs.Update();
        EXPECT_TRUE(users.Save());
        EXPECT_EQ(CMainFrame::WriteSettingFile("SystemSet", U("折扣=70,")), 1);
        return LogIn("clerk", "pw");
    }
};

// A new line of the ticket: 新增, its code typed into the 编号 cell, then its quantity.
void AddLine(ljsh* page, const char* code, const char* quantity) {
    CGridCtrl* grid = page->GetLineGrid();
    const int rows = grid->GetRowCount();
    desk::Click(res::FindControl(page, res::line_page::kNewButton));
    ASSERT_TRUE(desk::WaitFor([&] { return grid->GetRowCount() == rows + 1; }));
    desk::ClickCell(grid, rows, ColumnOf(grid, "编号"));
    desk::Type(code);
    desk::Key(WXK_RETURN);
    desk::ClickCell(grid, rows, ColumnOf(grid, "数量"));
    desk::Type(quantity);
    desk::Key(WXK_RETURN);
    desk::Shot(code);
}

} // namespace

TEST_F(CounterTicketDeskTest, WalkInTicketDiscountRefusedBeyondTheLimitTakenWithinAndSettled) {
    CMainFrame* frame = LogInClerk();
    ASSERT_NE(frame, nullptr);
    Insert("ljkc", {{{"零件名称", "机油"},
                     {"编号", "JY-01"},
                     {"货位", "A1"},
                     {"数量", "10"},
                     {"零售价", "40"},
                     {"进价", "20"},
                     {"no", "1"}},
                    {{"零件名称", "刹车片"},
                     {"编号", "SC-03"},
                     {"货位", "B2"},
                     {"数量", "5"},
                     {"零售价", "45.6"},
                     {"进价", "25"},
                     {"no", "2"}}});

    desk::Menu('P', "L"); // 配件 > 零件售货
    CWorkSheet* sheet = nullptr;
    ASSERT_TRUE(desk::WaitFor([&] {
        sheet = dynamic_cast<CWorkSheet*>(frame->GetSheet(CMainFrame::SheetKind::Sales));
        return sheet && sheet->GetActiveWorkPage() && sheet->GetActiveWorkPage()->IsShownOnScreen();
    }));
    auto* page = dynamic_cast<ljsh*>(sheet->GetActiveWorkPage());
    ASSERT_NE(page, nullptr);
    desk::Shot("sales-sheet");

    AddLine(page, "JY-01", "2");
    AddLine(page, "SC-03", "1");
    auto* total = res::Control<wxTextCtrl>(page, res::line_page::kTotalEdit);
    EXPECT_TRUE(desk::WaitFor([&] { return total->GetValue() == "125.60"; })) << total->GetValue();

    // 84 % is below the clerk's 85: refused on the screen, nothing changes.
    auto* discount = res::Control<wxTextCtrl>(page, kDiscountEdit);
    desk::Click(discount);
    desk::Key('a', wxMOD_CONTROL);
    desk::Type("84");
    EXPECT_TRUE(desk::WaitFor([&] { return boxes_->Showed("超出权限,无效操作!"); }));
    desk::Shot("discount-refused");
    EXPECT_EQ(total->GetValue(), "125.60");
    boxes_->Clear();
    desk::Click(discount);
    desk::Key('a', wxMOD_CONTROL);
    desk::Type("85");
    EXPECT_TRUE(desk::WaitFor([&] { return total->GetValue() == "106.76"; })) << total->GetValue();
    EXPECT_FALSE(boxes_->Showed("超出权限"));
    desk::Shot("discount-taken");

    // Settled in cash: the whole amount received; the ticket is dropped from the counter.
    desk::OnModal<CSettleDlg> settle([](CSettleDlg& dialog) {
        EXPECT_EQ(qv_test::Text(&dialog, res::settle::kReceivableEdit), "106.76");
        desk::Click(res::FindControl(&dialog, res::settle::kReceivedEdit));
        desk::Key('a', wxMOD_CONTROL);
        desk::Type("106.76");
        desk::Shot("settle");
        desk::Click(res::FindControl(&dialog, res::settle::kConfirmButton));
    });
    desk::Click(res::FindControl(page, res::line_page::kSettleButton));
    ASSERT_TRUE(desk::WaitFor([&] { return settle.Done(); }));
    desk::Settle();
    desk::Shot("settled");

    const wxString sales = U("select * from ljsh order by no");
    EXPECT_EQ(Column(sales, "编号"), (Texts{"JY-01", "SC-03"}));
    EXPECT_EQ(Column(sales, "单价"), (Texts{"34", "38.76"}));
    EXPECT_EQ(Column(sales, "数量"), (Texts{"2", "1"}));
    EXPECT_EQ(Column(U("select * from ljkc order by no"), "数量"), (Texts{"8", "4"}));
    EXPECT_EQ(Column(U("select * from kzk"), "金额"), Texts{"106.76"});
    EXPECT_TRUE(Column(U("select * from wlzm"), "金额").empty());
}
