// A storekeeper at the screen: an order's goods received into stock over two bins through
// the bin dialog, then two parts transferred to the other store.
#include "desk/desk_fixture.h"

#include "common/grid_typing.h"

#include "app/company_data.h"
#include "app/input_box.h"
#include "app/main_frame.h"
#include "grid/grid_ctrl.h"
#include "parts/bin_alloc_dlg.h"
#include "parts/order_page.h"
#include "res/input_box_template.h"
#include "res/order_page_template.h"
#include "work/work_sheet.h"

#include <wx/combobox.h>

using namespace res::order_page;
using Texts = std::vector<wxString>;

namespace {

Pjdh* OrderPage(CMainFrame* frame) {
    auto* sheet = dynamic_cast<CWorkSheet*>(frame->GetSheet(CMainFrame::SheetKind::Order));
    auto* page = sheet ? dynamic_cast<Pjdh*>(sheet->GetActiveWorkPage()) : nullptr;
    return page && page->IsShownOnScreen() ? page : nullptr;
}

} // namespace

using StockInTransferDeskTest = DeskTest;

TEST_F(StockInTransferDeskTest, OrderReceivedIntoTwoBinsThenTransferred) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    CCompanyData company;
    company.Set(CCompanyData::kStores, U("一库，二库"));
    ASSERT_TRUE(company.Save());
    Insert("dhd", {{{"定货单", "D-1"},
                    {"编号", "P1"},
                    {"零件名称", "灯泡"},
                    {"数量", "6"},
                    {"进价", "5.15"},
                    {"供应商", "甲"},
                    {"no", "1"}},
                   {{"定货单", "D-1"},
                    {"编号", "P2"},
                    {"零件名称", "雨刮"},
                    {"数量", "4"},
                    {"进价", "12.3"},
                    {"供应商", "甲"},
                    {"no", "2"}}});

    // 配件 > 入库; the order chosen in the number box brings its lines.
    desk::Menu('P', "R");
    Pjdh* stockIn = nullptr;
    ASSERT_TRUE(desk::WaitFor([&] { return (stockIn = OrderPage(frame)) != nullptr; }));
    desk::Shot("stock-in");
    auto* numbers = res::Control<wxComboBox>(stockIn, kNumberCombo);
    desk::Click(numbers);
    desk::Key(WXK_DOWN, wxMOD_ALT); // the list drops down
    desk::Shot("order-list");
    desk::Key(WXK_DOWN);
    desk::Key(WXK_RETURN);
    desk::Shot("order-chosen");
    ASSERT_TRUE(desk::WaitFor([&] { return stockIn->GetLineGrid()->GetRowCount() == 3; }))
        << numbers->GetValue();

    wxWindow* save = res::FindControl(stockIn, kSaveButton);
    if (!desk::Reachable(save)) {
        desk::Shot("save-out-of-reach");
        FAIL() << "存档 lies outside what the stock-in page shows";
    }
    // The bin dialog: the storekeeper types a bin into each row.
    desk::MessageBoxes& boxes = *boxes_;
    boxes.Answer("关闭", desk::MessageBoxes::kNo);
    desk::OnModal<CBinAllocDlg> bins([](CBinAllocDlg& dialog) {
        CGridCtrl* grid = dialog.GetGrid();
        const int bin = ColumnOf(grid, "货位");
        const char* const typed[] = {"一库A1", "一库B2"};
        for (int row = 1; row <= 2; ++row) {
            desk::ClickCell(grid, row, bin);
            desk::Type(U(typed[row - 1]));
            desk::Key(WXK_RETURN);
        }
        desk::Shot("bins");
        desk::Click(res::FindControl(&dialog, res::IDOK));
    });
    desk::Click(save);
    ASSERT_TRUE(desk::WaitFor([&] { return bins.Done(); }));
    desk::Settle();
    desk::Shot("received");
    const wxString stock = U("select * from ljkc order by no");
    EXPECT_EQ(Column(stock, "编号"), (Texts{"P1", "P2"}));
    EXPECT_EQ(Column(stock, "数量"), (Texts{"6", "4"}));
    EXPECT_EQ(Column(stock, "进价"), (Texts{"5.15", "12.3"}));
    EXPECT_EQ(Column(stock, "货位"), (Texts{U("一库A1"), U("一库B2")}));
    EXPECT_EQ(Column(U("select * from jhda order by no"), "数量"), (Texts{"6", "4"}));

    // 配件 > 零件调拨: the store chosen, two of P1 leave it for 二库.
    desk::Menu('P', "B");
    Pjdh* transfer = nullptr;
    ASSERT_TRUE(desk::WaitFor([&] {
        transfer = OrderPage(frame);
        return transfer && transfer != stockIn;
    }));
    auto* stores = res::Control<wxComboBox>(transfer, kNumberCombo);
    desk::Click(stores);
    for (int key : {WXK_DOWN, WXK_UP}) { // the list opens on 一库: to 二库 and back
        desk::Key(WXK_DOWN, wxMOD_ALT);
        desk::Key(key);
        desk::Key(WXK_RETURN);
    }
    EXPECT_EQ(stores->GetValue(), U("一库"));
    desk::Shot("transfer-store");
    CGridCtrl* grid = transfer->GetLineGrid();
    desk::Click(res::FindControl(transfer, kNewButton));
    ASSERT_TRUE(desk::WaitFor([&] { return grid->GetRowCount() == 2; }));
    desk::ClickCell(grid, 1, ColumnOf(grid, "编号"));
    desk::Type("P1");
    desk::Key(WXK_RETURN);
    desk::ClickCell(grid, 1, ColumnOf(grid, "数量"));
    desk::Type("2");
    desk::Key(WXK_RETURN);
    desk::Shot("transfer-line");
    desk::OnModal<CInputBoxDlg> destination([](CInputBoxDlg& box) {
        desk::Click(res::FindControl(&box, res::input_box::kInputEdit));
        desk::Type(U("二库"));
        desk::Click(res::FindControl(&box, res::IDOK));
    });
    desk::Click(res::FindControl(transfer, kSaveButton));
    ASSERT_TRUE(desk::WaitFor([&] { return destination.Done(); }));
    desk::Settle();
    desk::Shot("transferred");
    EXPECT_EQ(Column(U("select * from ljkc where 编号='P1'"), "数量"), Texts{"4"});
    EXPECT_EQ(Column(U("select * from LJDB"), "调拨去向"), Texts{U("二库")});
    EXPECT_EQ(Column(U("select * from LJDB"), "数量"), Texts{"2"});
    EXPECT_EQ(Column(U("select * from LJDB"), "编号"), Texts{"P1"});
    // The stock list above shows what the transfer left.
    const std::shared_ptr<CGridCtrl> listed = frame->m_dsMain.m_pGrid;
    ASSERT_TRUE(listed);
    Texts listedP1;
    for (int row = 1; row < listed->GetRowCount(); ++row)
        if (listed->GetItemText(row, ColumnOf(listed.get(), "编号")) == "P1")
            listedP1.push_back(listed->GetItemText(row, ColumnOf(listed.get(), "数量")));
    EXPECT_EQ(listedP1, Texts{"4"});
    // The typed code should bring the part's stock row (name, bin) into the line.
    EXPECT_EQ(Column(U("select * from LJDB"), "零件名称"), Texts{U("灯泡")});
    EXPECT_FALSE(boxes.Showed("“”")) << "a question about a part without a name";
}
