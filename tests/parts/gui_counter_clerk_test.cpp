// A counter clerk's round on an encrypted account set: the sales sheet opened by its
// command, parts sold to a walk-in customer (a no-discount item, a gift, a part short
// in its bin), the ticket discount within the clerk's limit, the ticket printed; a
// wholesale customer's ticket at price level 1, and two tickets wanting more of a
// part than the stock holds.
#include "common/grid_typing.h"
#include "common/login_fixture.h"
#include "common/pdf_text.h"

#include "app/first_run.h"
#include "app/main_frame.h"
#include "app/users_file.h"
#include "data/data_transaction.h"
#include "grid/capital_numerals.h"
#include "grid/data_set_grid.h"
#include "grid/grid_ctrl.h"
#include "grid/print_options_dlg.h"
#include "parts/parts_forms.h"
#include "parts/sales_page.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "res/command_ids.h"
#include "res/print_options_template.h"
#include "res/sales_page_template.h"
#include "res/settle_template.h"
#include "work/part_pick_dlg.h"
#include "work/settle_dlg.h"
#include "work/sheet_print_sources.h"
#include "work/vehicle_pick_dlg.h"
#include "work/work_sheet.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/listctrl.h>
#include <wx/radiobut.h>

using namespace res::sales_page;
using Texts = std::vector<wxString>;

namespace {

CWorkSheet* SalesSheet(CMainFrame* frame) {
    return dynamic_cast<CWorkSheet*>(frame->GetSheet(CMainFrame::SheetKind::Sales));
}

void Tick(wxWindow* page, int id, bool on) {
    auto* box = res::Control<wxCheckBox>(page, id);
    box->SetValue(on);
    wxCommandEvent event(wxEVT_CHECKBOX, box->GetId());
    event.SetEventObject(box);
    event.SetInt(on ? 1 : 0);
    box->GetEventHandler()->ProcessEvent(event);
}

class CounterClerkTest : public LoginTest {
protected:
    void SetUp() override {
        LoginTest::SetUp();
        parts::RegisterForms();
    }
    void TearDown() override {
        for (FormKind kind : {FormKind::SalesSheet, FormKind::OrderSheet, FormKind::SplitAssemble})
            CMainFrame::RegisterForm(kind, nullptr);
        LoginTest::TearDown();
    }

    // The administrator's new folder with a clerk whose discount limit is 8.5.
    CMainFrame* LogInClerk(const char* options) {
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
        EXPECT_EQ(CMainFrame::WriteSettingFile("SystemSet", U(options)), 1);
        return LogIn("clerk", "pw");
    }

    void AddStock() {
        Insert("ljkc", {{{"零件名称", "机油"},
                         {"编号", "JY-01"},
                         {"货位", "A1"},
                         {"数量", "10"},
                         {"零售价", "40"},
                         {"批发价", "36"},
                         {"代理价", "30"},
                         {"进价", "20"},
                         {"no", "1"}},
                        {{"零件名称", "保险丝"},
                         {"编号", "LQ-02"},
                         {"货位", "A2"},
                         {"数量", "10"},
                         {"零售价", "25"},
                         {"批发价", "22"},
                         {"代理价", "18"},
                         {"进价", "12"},
                         {"no", "2"}},
                        {{"零件名称", "刹车片"},
                         {"编号", "SC-03"},
                         {"货位", "B1"},
                         {"数量", "1"},
                         {"零售价", "40"},
                         {"批发价", "35"},
                         {"代理价", "32"},
                         {"进价", "25"},
                         {"no", "3"}},
                        {{"零件名称", "刹车片"},
                         {"编号", "SC-03"},
                         {"货位", "B2"},
                         {"数量", "5"},
                         {"零售价", "40"},
                         {"批发价", "35"},
                         {"代理价", "32"},
                         {"进价", "25"},
                         {"no", "4"}}});
        // 机油 is on the no-discount list at 16 for level 3.
        Insert("bdzxm", {{{"编号", "JY-01"},
                          {"一级价", "14"},
                          {"二级价", "15"},
                          {"三级价", "16"},
                          {"no", "1"}}});
    }

    // A new line with a code typed into it; the chooser, when it shows, takes its
    // first row.
    static void AddPart(ljsh* page, const char* code, const char* quantity) {
        qv_test::Click(page, kNewButton);
        Pump();
        CGridCtrl* grid = page->GetLineGrid();
        const int row = grid->GetRowCount() - 1;
        qv_test::ModalDriver<CPartPickDlg> chooser(
            [](CPartPickDlg& dialog) { PressKey(dialog.m_list, WXK_RETURN); });
        TypeIntoCell(grid, row, ColumnOf(grid, "编号"), U(code));
        if (quantity) TypeIntoCell(grid, row, ColumnOf(grid, "数量"), U(quantity));
    }

    static Texts Cells(CGridCtrl* grid, const char* title) {
        Texts texts;
        const int col = ColumnOf(grid, title);
        for (int row = 1; row < grid->GetRowCount(); ++row)
            texts.push_back(grid->GetItemText(row, col));
        return texts;
    }
};

} // namespace

TEST_F(CounterClerkTest, WalkInTicketPricedDiscountedWithinTheLimitAndPrinted) {
    CMainFrame* frame = LogInClerk("折扣=70,");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->m_strRights, U("clerk,折扣=8.5,"));
    AddStock();
    platform::ScriptedMessageBoxes boxes;

    frame->ExecuteCommand(ID_SALES_SHEET);
    Pump();
    CWorkSheet* sheet = SalesSheet(frame);
    ASSERT_NE(sheet, nullptr);
    ASSERT_EQ(sheet->GetPageCount(), 1u);
    auto* page = dynamic_cast<ljsh*>(sheet->GetActiveWorkPage());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->GetTitle(), U("零散客户"));
    EXPECT_NE(sheet->GetPicker(), nullptr);
    EXPECT_FALSE(res::FindControl(page, kLedgerButton)->IsEnabled());
    const ado::RecordsetPtr& rs = sheet->m_rsLines;
    EXPECT_EQ(rs->RecordCount(), 1); // the walk-in header, once
    page->OnSetActive();
    EXPECT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(qv_test::Text(page, kNumberEdit), sheet->m_strDocNumber);

    AddPart(page, "JY-01", "2");
    AddPart(page, "LQ-02", "1");
    AddPart(page, "SC-03", "2"); // the chooser takes bin B1, which holds 1
    CGridCtrl* grid = page->GetLineGrid();
    ASSERT_EQ(grid->GetRowCount(), 4);
    // The gift, as the grid's popup command marks it.
    grid->SetFocusCell(2, 1);
    grid->OnToggleGift();
    Pump();
    EXPECT_EQ(grid->GetItemImage(2, 0), 3);
    EXPECT_EQ(Cells(grid, "单价"), (Texts{"16.00", "0.00", "40.00"}));
    EXPECT_EQ(qv_test::Text(page, kTotalEdit), "112.00");

    // 84 is below the clerk's limit: refused, nothing changes; 85 goes on the lines
    // that take a discount.
    qv_test::Type(page, kDiscountEdit, "84");
    Pump();
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"超出权限,无效操作!"});
    EXPECT_EQ(qv_test::Text(page, kTotalEdit), "112.00");
    boxes.Clear();
    qv_test::Type(page, kDiscountEdit, "85");
    Pump();
    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_EQ(Cells(grid, "成交价"), (Texts{"16.00", "0.00", "34.00"}));
    EXPECT_EQ(Cells(grid, "小计"), (Texts{"32.00", "0.00", "68.00"}));
    EXPECT_EQ(qv_test::Text(page, kTotalEdit), "100.00");
    EXPECT_EQ(Column(U("select 折扣 from zyxm order by no"), "折扣"),
              (Texts{"85", "100", "100", "85"})); // not on the no-discount line or the gift

    // A line's own discount below the limit falls back to none.
    TypeIntoCell(grid, 3, ColumnOf(grid, "折扣"), "80");
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"超出权限,无效操作!"});
    EXPECT_EQ(grid->GetItemText(3, ColumnOf(grid, "小计")), "80.00");
    TypeIntoCell(grid, 3, ColumnOf(grid, "折扣"), "85");
    EXPECT_EQ(qv_test::Text(page, kTotalEdit), "100.00");
    // Bad quantities are refused with a message.
    boxes.Clear();
    TypeIntoCell(grid, 3, ColumnOf(grid, "数量"), "-3");
    TypeIntoCell(grid, 3, ColumnOf(grid, "数量"), "1e9");
    EXPECT_EQ(boxes.Texts().size(), 2u);
    EXPECT_EQ(grid->GetItemText(3, ColumnOf(grid, "数量")), "1");
    TypeIntoCell(grid, 3, ColumnOf(grid, "数量"), "2");
    EXPECT_EQ(qv_test::Text(page, kTotalEdit), "100.00");

    // Printed to a file: the ticket takes its number on the first print only.
    const std::string pdf = Path("ticket.pdf");
    frame->m_printData.SetPrintMode(wxPRINT_MODE_FILE);
    frame->m_printData.SetFilename(pdf);
    const wxString number = sheet->m_strDocNumber;
    boxes.Clear();
    qv_test::Click(page, kPrintButton);
    Pump();
    EXPECT_TRUE(boxes.Texts().empty()); // the stock covers the ticket
    CPrintOptionsDlg* print = page->PrintDialog();
    ASSERT_NE(print, nullptr);
    EXPECT_EQ(qv_test::Text(page, kNumberEdit), number);
    EXPECT_EQ(Column(U("select 货位 from zyxm where 客户='零散客户' order by no"), "货位")[0],
              number);
    auto* radio = res::Control<wxRadioButton>(print, res::print_options::kPrintRadio);
    radio->SetValue(true);
    wxCommandEvent event(wxEVT_RADIOBUTTON, radio->GetId());
    event.SetEventObject(radio);
    radio->GetEventHandler()->ProcessEvent(event);
    print->OnOutput();
    Pump();
    ASSERT_TRUE(platform::FileExists(pdf));
    const std::string text = PdfText(pdf);
    for (const char* expected : {"机油", "保险丝", "刹车片", "100.00"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    EXPECT_NE(text.find(AmountInCapitals("100.00").utf8_string()), std::string::npos) << text;
    qv_test::Click(page, kPrintButton);
    Pump();
    EXPECT_EQ(qv_test::Text(page, kNumberEdit), number);
    EXPECT_NE(sheet->m_strDocNumber, number); // the counter moved on once

    // Settled paying 20 of the 100: the brake pads come from two bins, the 80 left is
    // booked as receivable, the ticket dropped from the counter.
    // The stock list above the counter, as the clerk looked the parts up.
    ASSERT_EQ(data_grid::LoadPartsGrid(frame->m_dsMain,
                                       U("select 零件名称,编号,货位,数量,no from ljkc order by no"),
                                       0, false),
              1);
    std::vector<std::string> asked, toldInTransaction;
    const platform::MessageBoxHandler kept =
        platform::SetMessageBoxHandler([&](const std::string& text, const std::string&, unsigned) {
            asked.push_back(text);
            try {
                CDataTransaction probe; // only one can be open
            } catch (const ado::ComError&) {
                toldInTransaction.push_back(text);
            }
            return int(platform::IDYES);
        });
    wxString receivable;
    qv_test::ModalDriver<CSettleDlg> settle([&receivable](CSettleDlg& dialog) {
        receivable = qv_test::Text(&dialog, res::settle::kReceivableEdit);
        qv_test::Type(&dialog, res::settle::kReceivedEdit, "20");
        qv_test::Click(&dialog, res::settle::kConfirmButton);
    });
    qv_test::Click(page, kSettleButton);
    Pump();
    platform::SetMessageBoxHandler(kept);
    EXPECT_TRUE(settle.Done());
    EXPECT_EQ(receivable, "100.00");
    for (const char* question : {"“刹车片”在选定货位的零件数不够，要到其它货位取货吗？",
                                 "应收款入帐成功!", "数据已存档 放弃“零散客户”的工作卡吗？"})
        EXPECT_NE(std::find(asked.begin(), asked.end(), question), asked.end()) << question;
    EXPECT_EQ(toldInTransaction, std::vector<std::string>{}); // told once it is all written
    EXPECT_EQ(Cells(frame->m_dsMain.m_pGrid.get(), "数量"), (Texts{"8", "9", "0", "4"}));

    // Reopened, the counter holds a fresh walk-in ticket; the tables hold the sale.
    frame->CloseSheet(CMainFrame::SheetKind::Sales);
    frame->ExecuteCommand(ID_SALES_SHEET);
    Pump();
    sheet = SalesSheet(frame);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->m_rsLines->RecordCount(), 1);
    const wxString sales = U("select * from ljsh order by no");
    EXPECT_EQ(Column(sales, "编号"), (Texts{"JY-01", "LQ-02", "SC-03"}));
    EXPECT_EQ(Column(sales, "单价"), (Texts{"16", "0", "34"}));
    EXPECT_EQ(Column(sales, "数量"), (Texts{"2", "1", "2"}));
    EXPECT_EQ(Column(sales, "单据号"), Texts(3, number));
    EXPECT_EQ(Column(U("select * from ljkc order by no"), "数量"), (Texts{"8", "9", "0", "4"}));
    EXPECT_EQ(Column(U("select * from wlzm"), "金额"), Texts{"80"});
    EXPECT_EQ(Column(U("select * from wlzm"), "类别"), Texts{U("应收款")});
    EXPECT_EQ(Column(U("select * from kzk"), "金额"), Texts{"20"});
}

TEST_F(CounterClerkTest, WholesaleAtLevelOneTakesTheAgentPriceAndStockIsCheckedOverTickets) {
    CMainFrame* frame = LogInClerk("三级模式=1,");
    ASSERT_NE(frame, nullptr);
    AddStock();
    // A customer's open ticket at level 1, and a repair card wanting 5 of the 6 brake
    // pads in stock (1 in B1, 5 in B2).
    Insert("zyxm", {{{"客户", "华城"}, {"WX", "1"}, {"flag", "P"}, {"no", "1"}},
                    {{"客户", "粤A1"}, {"flag", "W"}, {"no", "2"}},
                    {{"客户", "粤A1"},
                     {"编号", "SC-03"},
                     {"项目名称", "刹车片"},
                     {"数量", "5"},
                     {"flag", "W"},
                     {"no", "3"}}});
    platform::ScriptedMessageBoxes boxes;
    frame->ExecuteCommand(ID_SALES_SHEET);
    Pump();
    CWorkSheet* sheet = SalesSheet(frame);
    ASSERT_NE(sheet, nullptr);
    ASSERT_EQ(sheet->GetPageCount(), 2u);
    auto* page = dynamic_cast<ljsh*>(sheet->GetWorkPage(1));
    ASSERT_NE(page, nullptr);
    sheet->SelectWorkPage(page);
    Pump();
    EXPECT_EQ(page->GetTitle(), U("华城"));
    EXPECT_EQ(page->PriceLevel(), "1");
    EXPECT_TRUE(res::FindControl(page, kLedgerButton)->IsEnabled());

    AddPart(page, "LQ-02", "1");
    AddPart(page, "SC-03", "2");
    CGridCtrl* grid = page->GetLineGrid();
    EXPECT_EQ(Cells(grid, "单价"), (Texts{"25.00", "40.00"}));
    Tick(page, kWholesaleCheck, true);
    Pump();
    EXPECT_TRUE(res::Control<wxCheckBox>(page, kWholesaleCheck)->GetValue());
    EXPECT_EQ(Cells(grid, "单价"), (Texts{"18.00", "32.00"}));
    EXPECT_EQ(qv_test::Text(page, kTotalEdit), "82.00");
    EXPECT_EQ(Column(U("select 进价 from zyxm where 客户='华城' order by no"), "进价")[0], "-1");
    Tick(page, kWholesaleCheck, false);
    Pump();
    EXPECT_EQ(Cells(grid, "单价"), (Texts{"25.00", "40.00"}));
    Tick(page, kWholesaleCheck, true);
    Pump();

    // 2 on this ticket and 5 on the card against 6 in stock: the print asks; No
    // prints nothing.
    boxes.Reply(platform::IDNO);
    qv_test::Click(page, kPrintButton);
    Pump();
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"“SC-03”的库存量小于各售货单总和,是否忽略?"});
    EXPECT_EQ(page->PrintDialog(), nullptr);
    EXPECT_EQ(Column(U("select 货位 from zyxm where 客户='华城' order by no"), "货位")[0], "NULL");

    // A third line; the header stays out of the lines whatever the sort, and deleting
    // goes by the line the clerk sees.
    AddPart(page, "JY-01", "1");
    grid->SetFocusCell(1, ColumnOf(grid, "项目名称"));
    boxes.Reply(platform::IDYES);
    grid->OnSortColumn();
    Pump();
    EXPECT_EQ(Cells(grid, "项目名称"), (Texts{U("保险丝"), U("机油"), U("刹车片")}));
    grid->SetFocusCell(2, 1);
    qv_test::Click(page, kDeleteButton);
    Pump();
    EXPECT_EQ(Column(U("select 项目名称 from zyxm where 客户='华城' order by no"), "项目名称"),
              (Texts{"NULL", U("保险丝"), U("刹车片")}));
    EXPECT_EQ(qv_test::Text(page, kTotalEdit), "82.00");
}

namespace {

// A customer bound at the counter brings the net of its balances onto the ticket: in
// its head line and in the balance box.
TEST_F(CounterClerkTest, ABoundCustomerBringsItsNetBalanceOntoTheTicket) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    Insert("wlkf", {{{"单位", "华通公司"}, {"no", "1"}}});
    Insert("wlzm", {{{"单位", "华通公司"}, {"类别", "应收款"}, {"金额", "1200"}, {"no", "1"}},
                    {{"单位", "华通公司"}, {"类别", "预收款"}, {"金额", "200"}, {"no", "2"}}});
    platform::ScriptedMessageBoxes boxes;
    frame->ExecuteCommand(ID_SALES_SHEET);
    Pump();
    CWorkSheet* sheet = SalesSheet(frame);
    ASSERT_NE(sheet, nullptr);
    ASSERT_NE(sheet->GetPicker(), nullptr);
    sheet->GetPicker()->m_comboCustomer->SetValue(U("华通"));
    Pump();
    PressKey(sheet->GetPicker()->m_comboCustomer, WXK_RETURN);
    Pump();
    auto* page = dynamic_cast<ljsh*>(sheet->GetActiveWorkPage());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->GetTitle(), U("华通公司"));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"应收款:1200.00  预收款:200.00 "});
    EXPECT_EQ(qv_test::Text(page, kBalanceEdit), "-1000.00");
    EXPECT_EQ(Column(U("select 小计 from zyxm where 客户='华通公司'"), U("小计")), Texts{"-1000"});
}

} // namespace

// The stock list above the counter: a double-click on a row, 选择当前行 and 全选 take
// the parts into the ticket in front as lines priced by the ticket, each row ticked.
TEST_F(CounterClerkTest, LookedUpPartsTakenIntoTheTicket) {
    CMainFrame* frame = LogInClerk("");
    ASSERT_NE(frame, nullptr);
    work::RegisterPrintSources(); // the grids find the sheet in front through it
    AddStock();
    platform::ScriptedMessageBoxes boxes;
    frame->ExecuteCommand(ID_SALES_SHEET);
    Pump();
    CWorkSheet* sheet = SalesSheet(frame);
    ASSERT_NE(sheet, nullptr);
    auto* page = dynamic_cast<ljsh*>(sheet->GetActiveWorkPage());
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(data_grid::LoadPartsGrid(frame->m_dsMain,
                                       U("select 零件名称,编号,零售价,数量,货位 from ljkc "
                                         "order by no"),
                                       9, false),
              1);
    std::shared_ptr<CGridCtrl> lookup = frame->m_dsMain.m_pGrid;
    ASSERT_NE(lookup, nullptr);
    lookup->SetTableName("ljkc");
    ASSERT_EQ(lookup->GetRowCount(), 5);
    CGridCtrl* grid = page->GetLineGrid();

    lookup->TransferChosenRow(2); // what a double-click on 保险丝 does
    Pump();
    ASSERT_EQ(grid->GetRowCount(), 2);
    EXPECT_EQ(Cells(grid, "项目名称"), Texts{U("保险丝")});
    EXPECT_EQ(Cells(grid, "数量"), Texts{"1"});
    EXPECT_EQ(Cells(grid, "单价"), Texts{"25.00"});
    EXPECT_EQ(lookup->GetItemImage(2, 0), 0);
    EXPECT_LT(lookup->GetItemImage(1, 0), 0);

    lookup->SetFocusCell(1, 1);
    lookup->OnSelectCurrentRow(); // 机油, on the no-discount list at 16
    Pump();
    ASSERT_EQ(grid->GetRowCount(), 3);
    EXPECT_EQ(Cells(grid, "单价"), (Texts{"25.00", "16.00"}));
    EXPECT_EQ(lookup->GetItemImage(1, 0), 0);

    lookup->OnSelectAllRows();
    Pump();
    ASSERT_EQ(grid->GetRowCount(), 7);
    for (int row = 1; row < lookup->GetRowCount(); ++row)
        EXPECT_EQ(lookup->GetItemImage(row, 0), 0) << row;
    EXPECT_EQ(Cells(grid, "编号"), (Texts{"LQ-02", "JY-01", "JY-01", "LQ-02", "SC-03", "SC-03"}));
    EXPECT_EQ(Cells(grid, "货位"), (Texts{"A2", "A1", "A1", "A2", "B1", "B2"}));
    // 25 + 16 + 16 + 25 + 40 + 40, every line saved with the ticket.
    EXPECT_EQ(qv_test::Text(page, kTotalEdit), "162.00");
    EXPECT_EQ(Column(U("select * from zyxm where flag='P' and 编号 IS NOT NULL"), U("编号")).size(),
              6u);
    EXPECT_TRUE(boxes.Texts().empty());
}
