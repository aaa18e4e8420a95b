#include "grid/grid_ctrl.h"
#include "grid/print_options_dlg.h"
#include "gui_work_fixture.h"
#include "res/archive_template.h"
#include "res/command_ids.h"
#include "res/control_ids.h"
#include "work/archive_dlg.h"
#include "work/customer_browse_dlg.h"
#include "work/work_forms.h"

#include <gtest/gtest.h>
#include <memory>
#include <wx/testing.h>
#include <wx/textctrl.h>

using namespace res::archive;
using Mode = CArchiveQuery::Mode;

namespace {

class ArchiveTest : public WorkFormTest {
protected:
    void SetUp() override {
        WorkFormTest::SetUp();
        Insert("ljsh", {
                           {{"客户", "京A12345"},
                            {"项目名称", "机油"},
                            {"单价", "45"},
                            {"数量", "2"},
                            {"flag", "W"},
                            {"日期", "2005-02-01"}},
                           {{"客户", "京A12345"},
                            {"项目名称", "洗车"},
                            {"单价", "10.5"},
                            {"数量", "1"},
                            {"flag", "W"},
                            {"日期", "2005-02-02"}},
                           {{"客户", "京A12345"},
                            {"项目名称", "灯泡"},
                            {"单价", "8"},
                            {"数量", "1"},
                            {"flag", "P"},
                            {"日期", "2005-03-01"}},
                       });
    }
    void Open(Mode mode, const char* text) {
        dialog_ = std::make_unique<wxda>(frame_, mode, U(text));
        grid_ = dialog_->GetGrid();
    }
    void TearDown() override {
        dialog_.reset();
        WorkFormTest::TearDown();
    }
    wxString Total() const {
        return res::Control<wxTextCtrl>(dialog_.get(), kTotalEdit)->GetValue();
    }
    int Col(const char* title) const {
        for (int col = 0; col < grid_->GetColumnCount(); ++col)
            if (grid_->GetItemText(0, col) == U(title)) return col;
        return -1;
    }

    std::unique_ptr<wxda> dialog_;
    CGridCtrl* grid_ = nullptr;
};

TEST_F(ArchiveTest, RepairArchiveOfACustomerWithItsTotal) {
    Open(Mode::Repair, "A123");
    EXPECT_EQ(grid_->GetColumnCount(), 13); // 序号 and 12 fields
    EXPECT_EQ(grid_->GetRowCount(), 3);
    EXPECT_EQ(Total(), "100.50");
    EXPECT_FALSE(res::FindControl(dialog_.get(), kSaveButton)->IsEnabled());
    // The walk-in customer and nothing at all list nothing.
    Open(Mode::Repair, "零散客户");
    EXPECT_EQ(grid_->GetRowCount(), 1);
    Open(Mode::Sales, "京A");
    EXPECT_EQ(dialog_->GetTitle(), U("零件售货单"));
    EXPECT_EQ(grid_->GetRowCount(), 2);
    EXPECT_EQ(grid_->GetColumnCount(), 14);
}

TEST_F(ArchiveTest, AQuoteInTheLookUpIsRefusedAndTheRowsStay) {
    Open(Mode::Repair, "京A");
    dialog_->Query(U("A'1"));
    EXPECT_TRUE(Shown("查询值中不能包含单引号！查询失败。"));
    EXPECT_EQ(grid_->GetRowCount(), 3);
}

// A new line copies the line above; in an empty list it belongs to the customer
// looked up, never to "-1", and one without a customer is not saved.
TEST_F(ArchiveTest, NewLinesAreSavedUnderTheirCustomer) {
    Open(Mode::Repair, "京A12345");
    dialog_->OnNew();
    EXPECT_EQ(grid_->GetRowCount(), 4);
    EXPECT_EQ(grid_->GetItemText(3, Col("项目名称")), U("洗车"));
    EXPECT_TRUE(res::FindControl(dialog_.get(), kSaveButton)->IsEnabled());
    dialog_->OnSave();
    EXPECT_EQ(Column(U("select * from ljsh where 项目名称='洗车' order by no"), "no"),
              (std::vector<wxString>{"2", "4"}));

    Open(Mode::Repair, "沪B1");
    dialog_->OnNew();
    EXPECT_EQ(grid_->GetItemText(1, Col("客户")), U("沪B1"));
    EXPECT_EQ(grid_->GetItemText(1, Col("日期")), Today());
    dialog_->OnSave();
    EXPECT_EQ(Column(U("select * from ljsh where flag='W' and 客户='沪B1'"), "客户").size(), 1u);
    EXPECT_TRUE(Column(U("select * from ljsh where 客户='-1'"), "客户").empty());

    Open(Mode::Repair, "");
    dialog_->OnNew();
    dialog_->OnSave();
    EXPECT_TRUE(Shown("客户不能为空"));
    EXPECT_EQ(Column("select * from ljsh", "no").size(), 5u);
}

TEST_F(ArchiveTest, DeleteWithoutAQuestionAndDiscardBringsItBack) {
    Open(Mode::Repair, "京A12345");
    grid_->SetFocusCell(1, 1);
    dialog_->OnDelete();
    EXPECT_TRUE(boxes_.Texts().empty());
    EXPECT_EQ(grid_->GetRowCount(), 2);
    dialog_->OnDiscard();
    EXPECT_EQ(grid_->GetRowCount(), 3);
    EXPECT_EQ(Column("select * from ljsh", "no").size(), 3u);
}

TEST_F(ArchiveTest, StatisticsRangeListsEveryFlag) {
    Open(Mode::Statistics, "2005-02-01,2005-02-28");
    EXPECT_EQ(grid_->GetRowCount(), 3);
    EXPECT_EQ(Col("进价"), 6);
}

// Widths are kept under the name they were read from; the print dialog goes with
// the archive, so a later print never reaches a grid that is gone.
TEST_F(ArchiveTest, WidthsAndPrintDialogAreClosedWithIt) {
    Open(Mode::Statistics, "2005-02-01,2005-02-28");
    grid_->SetColumnWidth(1, 77);
    dialog_->OnPrint();
    ASSERT_NE(dialog_->GetPrintDialog(), nullptr);
    wxWeakRef<wxDialog> print(dialog_->GetPrintDialog());
    dialog_->OnExit();
    dialog_.reset();
    Pump();
    EXPECT_FALSE(print);
    EXPECT_EQ(Column("select * from fieldlong", "table"), std::vector<wxString>{U("ljsh配件")});
    EXPECT_EQ(Column("select * from fieldlong", "n1"), std::vector<wxString>{"77"});
}

TEST_F(ArchiveTest, TheRepairArchiveCommandOpensIt) {
    work::RegisterForms();
    int rows = -1;
    class Expect : public wxExpectModalBase<wxda> {
    public:
        explicit Expect(int* rows) : m_rows(rows) {}

    protected:
        int OnInvoked(wxda* dialog) const override {
            *m_rows = dialog->GetGrid()->GetRowCount();
            return wxID_OK;
        }

    private:
        int* m_rows;
    };
    wxTEST_DIALOG(frame_->ExecuteCommand(ID_REPAIR_ARCHIVE), Expect(&rows));
    EXPECT_EQ(rows, 1); // opened from the menu without a card: an empty list
}

class CustomerBrowseTest : public WorkFormTest {
protected:
    void SetUp() override {
        WorkFormTest::SetUp();
        Insert("gk", {{{"车牌号码", "京B2"}, {"车主姓名", "李四"}},
                      {{"车牌号码", "京A1"}, {"车主姓名", "张三"}}});
    }
};

TEST_F(CustomerBrowseTest, ShowsTheTableAndRemovesBlankColumns) {
    frame_->m_strShared = "gk";
    CCustomerBrowseDlg browser(frame_);
    CGridCtrl* grid = browser.GetGrid();
    EXPECT_EQ(grid->GetColumnCount(), 36);
    EXPECT_EQ(grid->GetRowCount(), 3);
    EXPECT_EQ(frame_->m_strShared, "gk");
    browser.OnDeleteBlankColumns();
    EXPECT_EQ(grid->GetColumnCount(), 3); // 序号, 车牌号码, 车主姓名
    grid->SetFocusCell(1, 2);
    browser.OnDeleteCurrentColumn();
    EXPECT_EQ(grid->GetColumnCount(), 2);
}

TEST_F(CustomerBrowseTest, OtherTablesAndUnknownTexts) {
    frame_->m_strShared = "wlkf";
    EXPECT_EQ(CCustomerBrowseDlg(frame_).GetGrid()->GetColumnCount(), 20);
    frame_->m_strShared = "gys";
    EXPECT_EQ(CCustomerBrowseDlg(frame_).GetGrid()->GetColumnCount(), 19);
    frame_->m_strShared = "xyz";
    CCustomerBrowseDlg empty(frame_);
    EXPECT_EQ(empty.GetGrid()->GetColumnCount(), 1);
    empty.OnDeleteBlankColumns();
    empty.OnPrint();
}

// A fuzzy search found the customer; the rows come sorted by plate, and a print
// dialog opened from the browser goes when the browser goes, Esc included.
TEST_F(CustomerBrowseTest, FuzzySearchSortsAndThePrintDialogGoesWithTheBrowser) {
    frame_->m_strShared = "gk";
    wxWeakRef<wxDialog> print;
    {
        CCustomerBrowseDlg browser(frame_);
        class Search : public wxExpectModalBase<wxDialog> {
        protected:
            int OnInvoked(wxDialog*) const override {
                CMainFrame::Get()->m_strShared =
                    wxString::FromUTF8("select * from gk where 车主姓名='张三'");
                return wxID_OK;
            }
        };
        wxTEST_DIALOG(browser.OnFuzzySearch(), Search());
        EXPECT_EQ(browser.GetGrid()->GetRowCount(), 2);
        EXPECT_EQ(browser.GetGrid()->GetItemText(1, 1), U("京A1"));
        EXPECT_TRUE(frame_->m_strShared.empty());
        browser.OnPrint();
        print = browser.GetPrintDialog();
        ASSERT_TRUE(print);
    }
    Pump();
    EXPECT_FALSE(print);
}

} // namespace
