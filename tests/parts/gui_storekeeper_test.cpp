// A storekeeper's round: the shortage list's parts ordered from two suppliers, the
// order archived with each supplier's payable, and the goods received into stock
// over two bins through the bin dialog.
#include "app/main_frame.h"
#include "app/order_hand_over.h"
#include "common/login_fixture.h"
#include "grid/grid_ctrl.h"
#include "parts/bin_alloc_dlg.h"
#include "parts/order_page.h"
#include "parts/part_line.h"
#include "parts/parts_forms.h"
#include "platform/message_box.h"
#include "res/command_ids.h"
#include "res/order_page_template.h"
#include "work/work_sheet.h"

#include <gtest/gtest.h>
#include <wx/combobox.h>

using namespace res::order_page;
using Texts = std::vector<wxString>;

class StorekeeperTest : public LoginTest {
protected:
    void SetUp() override {
        LoginTest::SetUp();
        parts::RegisterForms();
    }
    void TearDown() override {
        CMainFrame::RegisterForm(FormKind::OrderSheet, nullptr);
        LoginTest::TearDown();
    }
    static Pjdh* Page(CMainFrame* frame) {
        auto* sheet = dynamic_cast<CWorkSheet*>(frame->GetSheet(CMainFrame::SheetKind::Order));
        return sheet ? dynamic_cast<Pjdh*>(sheet->GetActiveWorkPage()) : nullptr;
    }
};

TEST_F(StorekeeperTest, OrdersFromTwoSuppliersAndReceivesThemOverTwoBins) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    // The shortage list hands each part over once, however often it is chosen.
    for (int round = 0; round < 2; ++round)
        for (const char* code : {"P1", "P2", "P3"})
            COrderHandOver::Add(OrderLine{U("捷达"), U("零件") + code, code, "8"});
    frame->OpenForm(FormKind::OrderSheet, Pjdh::Order);
    Pump();
    Pjdh* order = Page(frame);
    ASSERT_NE(order, nullptr);
    EXPECT_TRUE(COrderHandOver::Waiting().empty());
    const ado::RecordsetPtr& rs = order->GetSheet()->m_rsLines;
    ASSERT_EQ(rs->RecordCount(), 3);
    // The storekeeper types the suppliers and prices of the lines.
    const struct {
        const char* supplier;
        double cost;
    } typed[] = {{"甲", 10}, {"乙", 5}, {"甲", 2}};
    int i = 0;
    for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext(), ++i) {
        parts::PutText(*rs, "供应商", U(typed[i].supplier));
        parts::PutNumber(*rs, "进价", typed[i].cost);
    }
    order->UpdateTotals();
    EXPECT_EQ(qv_test::Text(order, kTotalEdit), "136.00");
    const wxString number = order->CurrentNumber();
    {
        platform::ScriptedMessageBoxes boxes;
        boxes.Reply(platform::IDYES); // the payable
        qv_test::Click(order, kSaveButton);
        Pump();
    }
    EXPECT_EQ(Column("select * from dhd order by no", U("供应商")),
              (Texts{U("甲"), U("乙"), U("甲")}));
    EXPECT_EQ(Column("select * from wlzm order by no", U("金额")), (Texts{"96", "40"}));
    EXPECT_EQ(Column("select * from wlzm order by no", U("备注")), (Texts{number, number}));

    // The goods arrive: the order's lines, 8 of P1 split 6 in bin A + 2 in bin B.
    frame->OpenForm(FormKind::OrderSheet, Pjdh::StockIn);
    Pump();
    Pjdh* stockIn = Page(frame);
    ASSERT_NE(stockIn, nullptr);
    auto* numbers = res::Control<wxComboBox>(stockIn, kNumberCombo);
    ASSERT_NE(numbers->FindString(number, true), wxNOT_FOUND);
    numbers->SetStringSelection(number);
    stockIn->OnSelChangeNumber();
    const ado::RecordsetPtr& lines = stockIn->GetSheet()->m_rsLines;
    ASSERT_EQ(lines->RecordCount(), 3);
    {
        platform::ScriptedMessageBoxes boxes;
        boxes.Reply(platform::IDNO); // keep the page open
        EXPECT_TRUE(qv_test::AnswerModal<CBinAllocDlg>(
            [&] { qv_test::Click(stockIn, kSaveButton); },
            [](CBinAllocDlg& dialog) {
                // The storekeeper splits the first row over two bins.
                ado::Recordset& rows = *dialog.GetGrid()->m_rsBound;
                rows.MoveFirst();
                parts::PutNumber(rows, "数量", 6.0);
                parts::PutText(rows, "货位", "A");
                parts::PartLine rest = parts::ReadLine(rows);
                rows.AddNew();
                rest.quantity = 2;
                rest.bin = "B";
                parts::WriteLine(rows, rest);
                rows.Update();
                qv_test::Click(&dialog, res::IDOK);
            }));
        Pump();
    }
    const wxString q = "select * from ljkc order by no";
    EXPECT_EQ(Column(q, U("编号")), (Texts{"P1", "P2", "P3", "P1"}));
    EXPECT_EQ(Column(q, U("数量")), (Texts{"6", "8", "8", "2"}));
    EXPECT_EQ(Column(q, U("货位")), (Texts{"A", "NULL", "NULL", "B"}));
    EXPECT_EQ(Column("select * from jhda order by no", U("供应商")),
              (Texts{U("甲"), U("乙"), U("甲"), U("甲")}));
    EXPECT_EQ(Column("select * from jhda order by no", "no"), (Texts{"1", "2", "3", "4"}));
    EXPECT_EQ(lines->RecordCount(), 0); // archived lines are gone from the page
    frame->CloseSheet(CMainFrame::SheetKind::Order);
    Pump();
}
