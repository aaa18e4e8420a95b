// Returns at the screen: a customer brings back two of five parts bought last week and
// they go back into stock; then parts bought from a supplier go back to him.
#include "desk/desk_fixture.h"

#include "common/grid_typing.h"

#include "app/main_frame.h"
#include "grid/grid_ctrl.h"
#include "parts/bin_alloc_dlg.h"
#include "parts/order_page.h"
#include "parts/returns_page.h"
#include "res/order_page_template.h"
#include "res/returns_page_template.h"
#include "work/work_sheet.h"

#include <wx/combobox.h>
#include <wx/textctrl.h>

using namespace res::returns_page;
using Texts = std::vector<wxString>;

namespace {

template <class Page> Page* Shown(CMainFrame* frame, CMainFrame::SheetKind kind) {
    auto* sheet = dynamic_cast<CWorkSheet*>(frame->GetSheet(kind));
    auto* page = sheet ? dynamic_cast<Page*>(sheet->GetActiveWorkPage()) : nullptr;
    return page && page->IsShownOnScreen() ? page : nullptr;
}

// The first entry of a combo box's list, chosen from the keyboard.
void ChooseFirst(wxComboBox* combo) {
    desk::Click(combo);
    desk::Key(WXK_DOWN, wxMOD_ALT);
    desk::Key(WXK_DOWN);
    desk::Key(WXK_RETURN);
}

// A new line: 新增, then each (column, text) typed into its cell and ended with Enter.
void AddLine(ljth* page, const std::vector<std::pair<const char*, const char*>>& cells) {
    CGridCtrl* grid = page->GetLineGrid();
    const int rows = grid->GetRowCount();
    desk::Click(res::FindControl(page, kNewButton));
    ASSERT_TRUE(desk::WaitFor([&] { return grid->GetRowCount() == rows + 1; }));
    for (const auto& [column, text] : cells) {
        desk::ClickCell(grid, rows, ColumnOf(grid, column));
        desk::Type(U(text));
        desk::Key(WXK_RETURN);
    }
}

} // namespace

using ReturnsDeskTest = DeskTest;

TEST_F(ReturnsDeskTest, CustomerReturnIntoStockAndReturnToTheSupplier) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    const std::string lastWeek =
        (wxDateTime::Today() - wxDateSpan::Week()).Format("%Y-%m-%d").utf8_string();
    Insert("ljsh", {{{"客户", "王五"},
                     {"编号", "P1"},
                     {"项目名称", "刹车片"},
                     {"数量", "5"},
                     {"单价", "4.35"},
                     {"日期", lastWeek.c_str()},
                     {"flag", "P"},
                     {"no", "1"}}});
    Insert("ljkc", {{{"编号", "P1"}, {"零件名称", "刹车片"}, {"数量", "3"}, {"no", "1"}},
                    {{"编号", "P9"}, {"零件名称", "灯泡"}, {"数量", "6"}, {"no", "2"}}});
    Insert("jhda", {{{"入库单", "R-7"},
                     {"编号", "P9"},
                     {"零件名称", "灯泡"},
                     {"数量", "6"},
                     {"进价", "2.45"},
                     {"供应商", "甲"},
                     {"no", "1"}}});

    // 配件 > 退货 > 正品退回: the customer chosen, his two parts typed in, archived.
    desk::MenuPath(frame, {"配件(&P)", "退货", "正品退回"});
    ljth* page = nullptr;
    ASSERT_TRUE(desk::WaitFor(
        [&] { return (page = Shown<ljth>(frame, CMainFrame::SheetKind::Return)) != nullptr; }));
    EXPECT_EQ(page->GetMode(), 5);
    desk::Shot("customer-return");
    ChooseFirst(res::Control<wxComboBox>(page, kChoiceCombo));
    EXPECT_EQ(res::Control<wxComboBox>(page, kChoiceCombo)->GetValue(), U("王五"));
    if (!desk::Reachable(res::FindControl(page, kNewButton))) {
        desk::Shot("commands-out-of-reach");
        FAIL() << "新增 and 存档 lie outside what the returns page shows";
    }
    AddLine(page, {{"编号", "P1"}, {"零件名称", "刹车片"}, {"数量", "2"}, {"单价", "4.35"}});
    auto* total = res::Control<wxTextCtrl>(page, kTotalEdit);
    EXPECT_TRUE(desk::WaitFor([&] { return total->GetValue() == "8.70"; })) << total->GetValue();
    desk::Shot("customer-return-line");
    desk::Click(res::FindControl(page, kSaveButton));
    EXPECT_TRUE(desk::WaitFor([&] { return Column("select * from ljth", "数量") == Texts{"2"}; }));
    desk::Shot("customer-return-saved");

    // The parts wait on the stock-in page and go into stock from there.
    Pjdh* stockIn = nullptr;
    ASSERT_TRUE(desk::WaitFor(
        [&] { return (stockIn = Shown<Pjdh>(frame, CMainFrame::SheetKind::Order)) != nullptr; }));
    EXPECT_TRUE(stockIn->IsReturnToStock());
    desk::OnModal<CBinAllocDlg> bins(
        [](CBinAllocDlg& dialog) { desk::Click(res::FindControl(&dialog, res::IDOK)); });
    desk::Click(res::FindControl(stockIn, res::order_page::kSaveButton));
    ASSERT_TRUE(desk::WaitFor([&] { return bins.Done(); }));
    desk::Settle();
    desk::Shot("customer-return-in-stock");
    EXPECT_EQ(Column("select * from ljsh", "数量"), Texts{"3"});
    EXPECT_EQ(Column("select * from ljsh", "备注"), Texts{U("退2")});
    EXPECT_EQ(Column("select * from wlzm", "金额"), Texts{"8.7"});
    EXPECT_EQ(Column("select * from wlzm", "单位"), Texts{U("王五")});
    // The shop keeps its stock in order of arrival (no bins chosen in the options):
    // the two returned pads are a stock row of their own after the others.
    EXPECT_EQ(Column("select * from ljkc order by no", "编号"), (Texts{"P1", "P9", "P1"}));
    EXPECT_EQ(Column("select * from ljkc order by no", "数量"), (Texts{"3", "6", "2"}));

    // 配件 > 退货 > 进货退货: two bulbs of stock-in R-7 go back to their supplier.
    desk::MenuPath(frame, {"配件(&P)", "退货", "进货退货"});
    ASSERT_TRUE(desk::WaitFor([&] {
        page = Shown<ljth>(frame, CMainFrame::SheetKind::Return);
        return page && page->GetMode() == 6;
    }));
    ChooseFirst(res::Control<wxComboBox>(page, kChoiceCombo));
    EXPECT_EQ(res::Control<wxComboBox>(page, kChoiceCombo)->GetValue(), "R-7");
    AddLine(page, {{"编号", "P9"}, {"零件名称", "灯泡"}, {"数量", "2"}, {"单价", "2.45"}});
    // The line goes back to the document's supplier, not to the document's number.
    CGridCtrl* grid = page->GetLineGrid();
    EXPECT_EQ(grid->GetItemText(1, ColumnOf(grid, "客户")), U("甲"));
    // A new sheet, a new page: the first page's total went with it.
    total = res::Control<wxTextCtrl>(page, kTotalEdit);
    EXPECT_TRUE(desk::WaitFor([&] { return total->GetValue() == "4.90"; })) << total->GetValue();
    desk::Shot("supplier-return-line");
    boxes_->Clear();
    desk::Click(res::FindControl(page, kSaveButton));
    EXPECT_TRUE(desk::WaitFor([&] { return boxes_->Showed("数据已存档"); }));
    desk::Shot("supplier-return-saved");
    EXPECT_EQ(Column("select * from jhda", "数量"), Texts{"4"});
    EXPECT_EQ(Column(U("select * from ljkc where 编号='P9'"), "数量"), Texts{"4"});
    EXPECT_EQ(Column("select * from wlzm order by no", "金额"), (Texts{"8.7", "4.9"}));
    EXPECT_EQ(Column("select * from wlzm order by no", "类别"), (Texts{U("应付款"), U("应收款")}));
    EXPECT_EQ(Column("select * from wlzm order by no", "单位"), (Texts{U("王五"), U("甲")}));
    EXPECT_EQ(Column("select * from ljth order by no", "客户"), (Texts{U("王五"), U("甲")}));
}
