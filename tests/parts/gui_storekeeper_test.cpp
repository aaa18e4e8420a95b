// A storekeeper's round: the shortage list's parts ordered from two suppliers, the
// order archived with each supplier's payable, and the goods received into stock
// over two bins through the bin dialog.
#include "app/company_data.h"
#include "app/input_box.h"
#include "app/main_frame.h"
#include "app/order_hand_over.h"
#include "common/login_fixture.h"
#include "grid/grid_ctrl.h"
#include "grid/print_options_dlg.h"
#include "parts/bin_alloc_dlg.h"
#include "parts/order_page.h"
#include "parts/part_line.h"
#include "parts/parts_forms.h"
#include "parts/split_assemble_dlg.h"
#include "platform/message_box.h"
#include "res/command_ids.h"
#include "res/input_box_template.h"
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
        CMainFrame::RegisterForm(FormKind::SplitAssemble, nullptr);
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
    qv_test::Type(order, kContractEdit, "HT-1");
    order->OnKillFocusContract();
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
    EXPECT_EQ(Column("select * from dhd", U("合同号")), Texts(3, "HT-1"));

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
    // The received lines point at their order; the receipt has a number of its own.
    EXPECT_EQ(Column("select * from jhda", U("定货单")), Texts(4, number));
    EXPECT_NE(Column("select * from jhda", U("入库单")).front(), number);
    // The same order chosen again: the storekeeper is asked, and No receives nothing.
    numbers->SetStringSelection(number);
    stockIn->OnSelChangeNumber();
    ASSERT_EQ(lines->RecordCount(), 3);
    {
        platform::ScriptedMessageBoxes boxes;
        boxes.Reply(platform::IDNO);
        qv_test::Click(stockIn, kSaveButton);
        Pump();
        EXPECT_EQ(boxes.Texts().size(), 1u);
    }
    EXPECT_EQ(Column(q, U("数量")), (Texts{"6", "8", "8", "2"}));
    frame->CloseSheet(CMainFrame::SheetKind::Order);
    Pump();
}

TEST_F(StorekeeperTest, TransfersSplitsAndAssemblesAndFindsThePartsByStore) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    CCompanyData company;
    company.Set(CCompanyData::kStores, U("一库，二库"));
    ASSERT_TRUE(company.Save());
    CSettingFiles::WriteSettingFile("SystemSet", U("二级价=120,三级价=150,"));
    Insert("ljkc", {{{"编号", "P2"},
                     {"零件名称", "灯泡"},
                     {"货位", "一库A"},
                     {"数量", "8"},
                     {"进价", "5"},
                     {"no", "1"}},
                    {{"编号", "W1"},
                     {"零件名称", "水泵总成"},
                     {"车型", "捷达"},
                     {"货位", "一库B"},
                     {"数量", "2"},
                     {"no", "2"}},
                    {{"编号", "P7"},
                     {"零件名称", "叶轮"},
                     {"车型", "捷达"},
                     {"货位", "二库C"},
                     {"数量", "1"},
                     {"进价", "7"},
                     {"no", "3"}}});
    Insert("ljzc", {{{"总成项目", "水泵总成"},
                     {"总成编号", "W1"},
                     {"编号", "P7"},
                     {"零件名称", "叶轮"},
                     {"数量", "3"},
                     {"车型", "捷达"},
                     {"no", "1"}},
                    {{"总成项目", "水泵总成"},
                     {"总成编号", "W1"},
                     {"编号", "P8"},
                     {"零件名称", "水封"},
                     {"数量", "1"},
                     {"车型", "捷达"},
                     {"no", "2"}}});

    // Two bulbs leave for another store.
    frame->OpenForm(FormKind::OrderSheet, Pjdh::Transfer);
    Pump();
    Pjdh* transfer = Page(frame);
    ASSERT_NE(transfer, nullptr);
    auto* stores = res::Control<wxComboBox>(transfer, kNumberCombo);
    ASSERT_EQ(stores->GetCount(), 3u); // 一库, 二库, 全部
    stores->SetStringSelection(U("一库"));
    transfer->OnSelChangeNumber();
    qv_test::Click(transfer, kNewButton);
    const ado::RecordsetPtr& lines = transfer->GetSheet()->m_rsLines;
    ASSERT_EQ(lines->RecordCount(), 1);
    lines->MoveFirst();
    parts::PutText(*lines, "编号", "P2");
    parts::PutText(*lines, "零件名称", U("灯泡"));
    parts::PutText(*lines, "货位", U("一库A"));
    parts::PutNumber(*lines, "数量", 2.0);
    {
        platform::ScriptedMessageBoxes boxes;
        boxes.Reply(platform::IDYES); // close the page
        EXPECT_TRUE(qv_test::AnswerModal<CInputBoxDlg>(
            [&] { qv_test::Click(transfer, kSaveButton); },
            [](CInputBoxDlg& box) {
                qv_test::Type(&box, res::input_box::kInputEdit, "二库");
                qv_test::Click(&box, res::IDOK);
            }));
        Pump();
    }
    EXPECT_EQ(Column(U("select * from ljkc where 编号='P2'"), U("数量")), Texts{"6"});
    EXPECT_EQ(Column("select * from LJDB", U("调拨去向")), Texts{U("二库")});
    EXPECT_EQ(Column("select * from LJDB", U("操作员")), Texts{"admin"});
    EXPECT_EQ(frame->GetSheet(CMainFrame::SheetKind::Order), nullptr);

    // Two pumps split into their parts, received on the stock-in page.
    platform::ScriptedMessageBoxes boxes;
    EXPECT_TRUE(qv_test::AnswerModal<CSplitAssembleDlg>(
        [&] { frame->OpenForm(FormKind::SplitAssemble, 0); },
        [](CSplitAssembleDlg& dialog) {
            ASSERT_EQ(dialog.GetGrid()->GetRowCount(), 2);
            dialog.GetGrid()->SetFocusCell(1, 1);
            qv_test::Type(&dialog, res::split_assemble::kQuantityEdit, "2");
            dialog.OnSplit(); // Yes to the question: the box's first button
        }));
    Pump();
    EXPECT_EQ(Column(U("select * from ljkc where 编号='W1'"), U("数量")), Texts{"0"});
    Pjdh* stockIn = Pjdh::ShownStockIn(*frame);
    ASSERT_NE(stockIn, nullptr);
    std::vector<parts::PartLine> received = parts::ReadLines(*stockIn->GetSheet()->m_rsLines);
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].code, "P7");
    EXPECT_EQ(received[0].quantity, 6);
    EXPECT_EQ(received[0].bin, U("二库C")); // from the stock of the part
    EXPECT_EQ(received[1].quantity, 2);

    // Priced by the ratios, then into stock: the bin dialog proposes the bins.
    qv_test::Click(stockIn, kRatioButton);
    received = parts::ReadLines(*stockIn->GetSheet()->m_rsLines);
    EXPECT_DOUBLE_EQ(*received[0].retail, 10.5); // 150% of 7
    EXPECT_DOUBLE_EQ(*received[0].wholesale, 8.4);
    boxes.Reply(platform::IDNO); // keep the page
    EXPECT_TRUE(qv_test::AnswerModal<CBinAllocDlg>(
        [&] { qv_test::Click(stockIn, kSaveButton); },
        [](CBinAllocDlg& dialog) { qv_test::Click(&dialog, res::IDOK); }));
    Pump();
    EXPECT_EQ(Column(U("select * from ljkc where 编号='P7' order by no"), U("数量")),
              (Texts{"1", "6"}));

    // And assembled back from its parts: one pump line on the page.
    EXPECT_TRUE(qv_test::AnswerModal<CSplitAssembleDlg>(
        [&] { frame->OpenForm(FormKind::SplitAssemble, 0); },
        [](CSplitAssembleDlg& dialog) {
            dialog.GetGrid()->SetFocusCell(1, 1);
            dialog.OnAssemble();
        }));
    Pump();
    EXPECT_EQ(Column(U("select * from ljkc where 编号='P8'"), U("数量")), Texts{"1"});
    EXPECT_EQ(Column(U("select * from ljkc where 编号='P7' order by no"), U("数量")),
              (Texts{"0", "4"}));
    stockIn = Pjdh::ShownStockIn(*frame);
    ASSERT_NE(stockIn, nullptr);
    received = parts::ReadLines(*stockIn->GetSheet()->m_rsLines);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].code, "W1");
    EXPECT_EQ(received[0].quantity, 1);

    // The transfer page lists a store's stock in the upper grid.
    frame->OpenForm(FormKind::OrderSheet, Pjdh::Transfer);
    Pump();
    transfer = Page(frame);
    stores = res::Control<wxComboBox>(transfer, kNumberCombo);
    stores->SetStringSelection(U("二库"));
    transfer->OnSelChangeNumber();
    EXPECT_EQ(frame->m_dsMain.m_pGrid ? frame->m_dsMain.m_pGrid->GetRowCount() : -1, 3);
    frame->CloseSheet(CMainFrame::SheetKind::Order);
    Pump();
}

TEST_F(StorekeeperTest, LinesLeftWithoutArchivingComeBackUntilCancelled) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    frame->OpenForm(FormKind::OrderSheet, Pjdh::Order);
    Pump();
    Pjdh* order = Page(frame);
    ASSERT_NE(order, nullptr);
    qv_test::Click(order, kNewButton);
    qv_test::Click(order, kNewButton);
    EXPECT_EQ(order->GetSheet()->m_rsLines->RecordCount(), 2);
    // The print options stay with the page, in front of it, and go with it.
    qv_test::Click(order, kPrintButton);
    qv_test::Click(order, kPrintButton);
    Pump();
    int printDialogs = 0;
    for (wxWindow* window : wxTopLevelWindows)
        if (dynamic_cast<CPrintOptionsDlg*>(window) && !window->IsBeingDeleted()) {
            ++printDialogs;
            EXPECT_EQ(window->GetParent(), order);
        }
    EXPECT_EQ(printDialogs, 1);
    qv_test::Click(order, kExitButton);
    Pump();
    for (wxWindow* window : wxTopLevelWindows)
        EXPECT_FALSE(dynamic_cast<CPrintOptionsDlg*>(window) && !window->IsBeingDeleted());
    EXPECT_EQ(frame->GetSheet(CMainFrame::SheetKind::Order), nullptr);
    EXPECT_EQ(Column("select * from dhd", "no"), Texts{});

    frame->OpenForm(FormKind::OrderSheet, Pjdh::Order);
    Pump();
    order = Page(frame);
    ASSERT_NE(order, nullptr);
    EXPECT_EQ(order->GetSheet()->m_rsLines->RecordCount(), 2);
    EXPECT_TRUE(res::FindControl(order, kSaveButton)->IsEnabled());
    qv_test::Click(order, kCancelButton);
    EXPECT_EQ(order->GetSheet()->m_rsLines->RecordCount(), 0);
    // A number typed into the list and left is added and chosen.
    qv_test::Type(order, kNumberCombo, "20240101001");
    order->OnKillFocusNumber();
    auto* numbers = res::Control<wxComboBox>(order, kNumberCombo);
    EXPECT_NE(numbers->FindString("20240101001", true), wxNOT_FOUND);
    EXPECT_EQ(numbers->GetStringSelection(), "20240101001");
    frame->CloseSheet(CMainFrame::SheetKind::Order);
    Pump();
    frame->OpenForm(FormKind::OrderSheet, Pjdh::Order);
    Pump();
    EXPECT_EQ(Page(frame)->GetSheet()->m_rsLines->RecordCount(), 0);
    frame->CloseSheet(CMainFrame::SheetKind::Order);
    Pump();
}
