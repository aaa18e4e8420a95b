// Returns at the counter: a customer brings back part of last week's purchase, a
// faulty part goes back to its supplier and a reissue comes in, and the lists show
// what is still pending.
#include "app/main_frame.h"
#include "common/login_fixture.h"
#include "grid/grid_ctrl.h"
#include "parts/bin_alloc_dlg.h"
#include "parts/order_page.h"
#include "parts/part_line.h"
#include "parts/parts_forms.h"
#include "parts/returns_page.h"
#include "platform/message_box.h"
#include "res/command_ids.h"
#include "res/order_page_template.h"
#include "res/returns_page_template.h"
#include "work/work_sheet.h"

#include <gtest/gtest.h>
#include <wx/combobox.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>

using namespace res::returns_page;
using Texts = std::vector<wxString>;

class ReturnsTest : public LoginTest {
protected:
    void SetUp() override {
        LoginTest::SetUp();
        parts::RegisterForms();
    }
    void TearDown() override {
        for (FormKind kind : {FormKind::OrderSheet, FormKind::SplitAssemble, FormKind::ReturnSheet})
            CMainFrame::RegisterForm(kind, nullptr);
        LoginTest::TearDown();
    }
    static ljth* Page(CMainFrame* frame) {
        auto* sheet = dynamic_cast<CWorkSheet*>(frame->GetSheet(CMainFrame::SheetKind::Return));
        return sheet ? dynamic_cast<ljth*>(sheet->GetActiveWorkPage()) : nullptr;
    }
    static Pjdh* StockInPage(CMainFrame* frame) {
        auto* sheet = dynamic_cast<CWorkSheet*>(frame->GetSheet(CMainFrame::SheetKind::Order));
        return sheet ? dynamic_cast<Pjdh*>(sheet->GetActiveWorkPage()) : nullptr;
    }
    ljth* Open(CMainFrame* frame, int command) {
        frame->ExecuteCommand(command);
        Pump();
        return Page(frame);
    }
    static void Choose(ljth* page, const char* text) {
        auto* combo = res::Control<wxComboBox>(page, kChoiceCombo);
        ASSERT_TRUE(combo->SetStringSelection(U(text)));
        page->OnCustomerChange();
    }
    // 新增, then the clerk fills the line in.
    static void NewLine(ljth* page, const char* code, const char* name, double quantity,
                        std::optional<double> price = std::nullopt) {
        qv_test::Click(page, kNewButton);
        ado::Recordset& rs = *page->GetSheet()->m_rsLines;
        parts::PutText(rs, "编号", code);
        parts::PutText(rs, "零件名称", U(name));
        parts::PutNumber(rs, "数量", quantity);
        if (price) parts::PutNumber(rs, "单价", price);
        rs.Update();
        page->UpdateTotals();
    }
    static std::shared_ptr<CGridCtrl> List(CMainFrame* frame) { return frame->m_dsMain.m_pGrid; }
    // The first stored return of the list above taken in as a line, as the list's row
    // commands take a row into the page in front.
    static void TakeChosenReturn(CMainFrame* frame, ljth* page) {
        const ado::RecordsetPtr& lines = page->GetSheet()->m_rsLines;
        List(frame)->m_rsBound->MoveFirst();
        frame->m_dsMain.CopyRecordsQuiet(List(frame)->m_rsBound, lines, true, wxString());
        page->AddLine(true);
        page->GetLineGrid()->LoadRecordset();
        lines->MoveLast();
    }
};

TEST_F(ReturnsTest, EveryCommandOpensItsKindOfReturn) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    Insert("jhda", {{{"入库单", "R-7"}, {"编号", "P1"}, {"数量", "4"}, {"no", "1"}}});
    const struct {
        int command;
        int mode;
        bool takeBack, comboShown;
    } kinds[] = {
        {ID_RETURN_DEFECT_IN, 1, true, true},  {ID_RETURN_DEFECT_OUT, 2, false, false},
        {ID_RETURN_GOOD_OUT, 4, false, false}, {ID_RETURN_GOOD_IN, 5, true, true},
        {ID_RETURN_PURCHASE, 6, false, true},
    };
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.mode);
        ljth* page = Open(frame, kind.command);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->GetMode(), kind.mode);
        EXPECT_EQ(res::Control<wxRadioButton>(page, kTakeBackRadio)->GetValue(), kind.takeBack);
        EXPECT_EQ(res::FindControl(page, kChoiceCombo)->IsShown(), kind.comboShown);
        EXPECT_EQ(page->GetSheet()->GetPageCount(), 1u);
    }
    // The purchase return lists the stock-in documents and keeps the received quantity.
    ljth* page = Page(frame);
    EXPECT_EQ(res::Control<wxStaticText>(page, kChoiceLabel)->GetLabel(), U("入库单"));
    Choose(page, "R-7");
    EXPECT_TRUE(page->IsPurchaseReturn());
    qv_test::Click(page, kNewButton);
    EXPECT_TRUE(parts::Text(*page->GetSheet()->m_rsLines, "数量").empty());
    // The hand-over code alone reaches the reissue.
    frame->m_strShared = "BF";
    EXPECT_EQ(ljth::OpenSheet(*frame)->GetMode(), 3);
    qv_test::Click(Page(frame), kExitButton);
    Pump();
    EXPECT_EQ(frame->GetSheet(CMainFrame::SheetKind::Return), nullptr);
    EXPECT_TRUE(Column("select * from ljth", "no").empty());
}

TEST_F(ReturnsTest, ACustomerReturnsTwoOfFivePartsBoughtLastWeek) {
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
    Insert("ljkc", {{{"编号", "P1"}, {"零件名称", "刹车片"}, {"数量", "3"}, {"no", "1"}}});
    ljth* page = Open(frame, ID_RETURN_GOOD_IN);
    ASSERT_NE(page, nullptr);
    Choose(page, "王五");
    ASSERT_TRUE(List(frame));
    EXPECT_EQ(List(frame)->GetRowCount(), 2); // the sale of last week
    NewLine(page, "P1", "刹车片", 2, 4.35);
    EXPECT_EQ(parts::Text(*page->GetSheet()->m_rsLines, "客户"), U("王五"));
    EXPECT_EQ(qv_test::Text(page, kTotalEdit), "8.70");
    {
        platform::ScriptedMessageBoxes boxes;
        boxes.Reply(platform::IDYES); // the payable
        boxes.Reply(platform::IDYES); // into stock
        boxes.Reply(platform::IDOK);  // booked
        qv_test::Click(page, kSaveButton);
        Pump();
    }
    EXPECT_EQ(Column("select * from ljsh", "数量"), Texts{"3"});
    EXPECT_EQ(Column("select * from ljsh", "备注"), Texts{U("退2")});
    EXPECT_EQ(Column("select * from wlzm", "金额"), Texts{"8.7"});
    EXPECT_EQ(Column("select * from wlzm", "单位"), Texts{U("王五")});
    EXPECT_EQ(Column("select * from ljth", "数量"), Texts{"2"});

    // The parts wait on the stock-in page and go into stock from there.
    Pjdh* stockIn = StockInPage(frame);
    ASSERT_NE(stockIn, nullptr);
    EXPECT_TRUE(stockIn->IsReturnToStock());
    ASSERT_EQ(stockIn->GetSheet()->m_rsLines->RecordCount(), 1);
    {
        platform::ScriptedMessageBoxes boxes;
        boxes.Reply(platform::IDYES); // close the stock-in page
        EXPECT_TRUE(qv_test::AnswerModal<CBinAllocDlg>(
            [&] { qv_test::Click(stockIn, res::order_page::kSaveButton); },
            [](CBinAllocDlg& dialog) { qv_test::Click(&dialog, res::IDOK); }));
        Pump();
    }
    EXPECT_EQ(Column("select * from ljkc order by no", "数量"), (Texts{"3", "2"}));
    EXPECT_TRUE(Column("select * from jhda", "no").empty()); // returned, not bought
}

TEST_F(ReturnsTest, AFaultyPartGoesBackAndAReissueOfTwoOfFiveComesIn) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    Insert("ljth", {{{"客户", "王五"},
                     {"编号", "P1"},
                     {"零件名称", "刹车片"},
                     {"数量", "5"},
                     {"单据号", "20261201001"},
                     {"no", "1"}},
                    {{"客户", "王五"},
                     {"编号", "P2"},
                     {"零件名称", "灯泡"},
                     {"数量", "1"},
                     {"单据号", "20261201001"},
                     {"no", "2"}}});
    Insert("ljkc", {{{"编号", "P1"}, {"零件名称", "刹车片"}, {"数量", "10"}, {"no", "1"}}});

    // Out to the supplier: the clerk chooses the return in the list and adds it.
    ljth* page = Open(frame, ID_RETURN_DEFECT_OUT);
    ASSERT_NE(page, nullptr);
    qv_test::Click(page, kReturnListButton);
    ASSERT_TRUE(List(frame));
    List(frame)->m_rsBound->MoveFirst();
    EXPECT_EQ(page->GetLineGrid()->GetReportName(), U("零件退货"));
    // 新增 makes a blank line, whatever the list has chosen.
    qv_test::Click(page, kNewButton);
    EXPECT_EQ(parts::Text(*page->GetSheet()->m_rsLines, "no1"), "");
    EXPECT_EQ(parts::Text(*page->GetSheet()->m_rsLines, "编号"), "");
    qv_test::Click(page, kCancelButton);
    TakeChosenReturn(frame, page);
    EXPECT_EQ(parts::Text(*page->GetSheet()->m_rsLines, "no1"), "1");
    {
        platform::ScriptedMessageBoxes boxes;
        qv_test::Click(page, kSaveButton);
        Pump();
        EXPECT_EQ(boxes.Texts().back(), "数据已存档 ");
    }
    EXPECT_EQ(Column("select * from ljth order by no", "其它"), (Texts{"T", "NULL"}));

    // The pending list leaves out what went out, and adds nothing to the table.
    qv_test::Click(page, kPendingButton);
    ASSERT_TRUE(List(frame));
    EXPECT_EQ(List(frame)->GetRowCount(), 2);
    EXPECT_EQ(List(frame)->GetItemText(1, 4), "P2");
    qv_test::Click(page, kExitButton);
    Pump();
    EXPECT_EQ(Column("select * from ljth order by no", "编号"), (Texts{"P1", "P2"}));

    // The supplier's replacement: 2 of the 5 are reissued to the customer.
    ljth* reissue = Open(frame, ID_RETURN_DEFECT_IN);
    ASSERT_NE(reissue, nullptr);
    {
        platform::ScriptedMessageBoxes boxes; // no customer chosen: nothing to list
        res::Control<wxRadioButton>(reissue, kReissueRadio)->SetValue(true);
        reissue->OnReturnKind();
    }
    EXPECT_EQ(reissue->GetMode(), 3);
    qv_test::Click(reissue, kReturnListButton);
    ASSERT_TRUE(List(frame));
    List(frame)->m_rsBound->MoveFirst();
    qv_test::Click(reissue, kNewButton);
    EXPECT_EQ(parts::Text(*reissue->GetSheet()->m_rsLines, "no1"), "");
    qv_test::Click(reissue, kCancelButton);
    TakeChosenReturn(frame, reissue);
    ado::Recordset& line = *reissue->GetSheet()->m_rsLines;
    parts::PutNumber(line, "数量", 2.0);
    line.Update();
    {
        platform::ScriptedMessageBoxes boxes;
        qv_test::Click(reissue, kSaveButton);
        Pump();
    }
    const wxString q = U("select * from ljth where 编号='P1' order by no");
    EXPECT_EQ(Column(q, "数量"), (Texts{"2", "3"}));
    EXPECT_EQ(Column(q, "flag"), (Texts{"T", "NULL"}));
    EXPECT_EQ(Column("select * from ljkc", "数量"), Texts{"8"});
    EXPECT_EQ(Column("select * from ljsh", "数量"), Texts{"2"});
    EXPECT_EQ(Column("select * from ljsh", "flag"), Texts{"P"});
}

TEST_F(ReturnsTest, PutBackToStockHandsEveryLineWithItsQuantity) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    ljth* page = Open(frame, ID_RETURN_DEFECT_IN);
    ASSERT_NE(page, nullptr);
    NewLine(page, "P1", "刹车片", 2);
    NewLine(page, "P2", "灯泡", 1);
    NewLine(page, "P3", "垫片", 3);
    qv_test::Click(page, kToStockButton);
    Pump();
    Pjdh* stockIn = StockInPage(frame);
    ASSERT_NE(stockIn, nullptr);
    EXPECT_TRUE(stockIn->IsReturnToStock());
    EXPECT_TRUE(frame->m_strShared.empty());
    std::vector<wxString> quantities;
    for (const parts::PartLine& line : parts::ReadLines(*stockIn->GetSheet()->m_rsLines))
        quantities.push_back(wxString::Format("%g", line.quantity.value_or(-1)));
    EXPECT_EQ(quantities, (Texts{"2", "1", "3"}));
    // Nothing is stored until one of the pages archives.
    EXPECT_TRUE(Column("select * from ljth", "no").empty());
    EXPECT_TRUE(Column("select * from ljkc", "no").empty());
}
