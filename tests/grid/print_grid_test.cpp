// Grids printed page by page with their report settings, into a PostScript file.
#include "gui_test_app.h"

#include "grid/print_job.h"
#include "grid/print_layout.h"
#include "grid/print_seam.h"
#include "grid/report_settings.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <wx/cmndata.h>

namespace {

using Rs = ReportSettingsRecord;

class GridPrintTest : public GridWindowTest {
protected:
    void SetUp() override {
        GridWindowTest::SetUp();
        output = TestHome() + "/print_out.pdf";
        std::filesystem::remove(output);
        printData.SetPrintMode(wxPRINT_MODE_FILE);
        printData.SetFilename(output);
        SetGridPrinterSettings(&printData);
    }
    void TearDown() override {
        SetGridPrinterSettings(nullptr);
        std::filesystem::remove_all(TestHome() + "/Report");
        GridWindowTest::TearDown();
    }
    // A report grid of `rows` data rows: 序号, 名称, 数量 (integer), 单价 (money).
    CGridCtrl* ReportGrid(int rows, const char* report = "进货报表") {
        CGridCtrl* grid = MakeGrid(rows + 1, 4);
        grid->SetItemText(0, 0, U("序号"));
        grid->SetItemText(0, 1, U("名称"));
        grid->SetItemText(0, 2, U("数量"));
        grid->SetItemText(0, 3, U("单价"));
        for (int r = 1; r <= rows; ++r) {
            grid->SetItemText(r, 1, U("机油滤清器"));
            grid->SetItemText(r, 2, "2");
            grid->SetItemText(r, 3, "10.50");
        }
        grid->SetFieldTypes({202, 3, 131});
        grid->m_strReportName = U(report);
        return grid;
    }
    void Save(Rs record, const char* report) {
        record.Set(Rs::Text::Name, U(report));
        ASSERT_EQ(SaveReportSettings(record), 1);
    }
    // The pages of the last job written to the output file.
    int PagesInOutput() const {
        std::string pdf;
        platform::ReadFileBytes(output, pdf);
        int pages = 0;
        for (size_t at = pdf.find("/Type /Page"); at != std::string::npos;
             at = pdf.find("/Type /Page", at + 1))
            if (pdf.compare(at, 12, "/Type /Pages") != 0) ++pages;
        return pages;
    }

    std::string output;
    wxPrintData printData;
};

TEST_F(GridPrintTest, OneCopyPerCountAndTheCopiesFieldStays) {
    CGridCtrl* grid = ReportGrid(3);
    const std::pair<int, int> cases[] = {{0, 1}, {2, 3}, {-1, 0}};
    for (const auto& [copies, jobs] : cases) {
        grid->m_nCopies = copies;
        EXPECT_EQ(grid->Print(), jobs) << copies;
        EXPECT_EQ(grid->m_nCopies, copies);
    }
    EXPECT_EQ(PagesInOutput(), 1);
}

TEST_F(GridPrintTest, APageRangeSendsOnlyItsPagesOfTheWholeLayout) {
    CGridCtrl* grid = ReportGrid(100);
    CGridPrinter layout(*grid);
    layout.BeginPrinting(printData);
    const int perPage = layout.RowsPerPage();
    ASSERT_GT(perPage, 1);
    grid->DeleteNonFixedRows();
    grid->SetRowCount(5 * perPage + 1);
    for (int r = 1; r < grid->GetRowCount(); ++r)
        grid->SetItemText(r, 1, "x");

    grid->m_nFromPage = 3;
    grid->m_nToPage = 3;
    EXPECT_EQ(grid->Print(), 1);
    EXPECT_EQ(PagesInOutput(), 1);
    CGridPrinter job(*grid);
    job.BeginPrinting(printData);
    EXPECT_EQ(job.PageCount(), 5);

    grid->m_nFromPage = 0;
    grid->m_nToPage = 99999;
    EXPECT_EQ(grid->Print(), 1);
    EXPECT_EQ(PagesInOutput(), 5);
    // A range past the last page sends nothing.
    grid->m_nFromPage = 7;
    grid->m_nToPage = 9;
    EXPECT_EQ(grid->Print(), 0);
}

TEST_F(GridPrintTest, HiddenAndUnheadedColumnsLeaveNoGap) {
    CGridCtrl* grid = ReportGrid(3);
    grid->SetColumnWidth(1, 100);
    grid->SetColumnWidth(2, 60);
    CGridPrinter all(*grid);
    all.BeginPrinting(printData);

    Rs record;
    record.Set(Rs::Text::HiddenColumns, U("数量,"));
    Save(record, "进货报表");
    grid->SetItemText(0, 3, "");
    CGridPrinter some(*grid);
    some.BeginPrinting(printData);
    EXPECT_TRUE(some.IsColumnPrinted(0));
    EXPECT_TRUE(some.IsColumnPrinted(1));
    EXPECT_FALSE(some.IsColumnPrinted(2));
    EXPECT_FALSE(some.IsColumnPrinted(3));
    EXPECT_EQ(all.LogicalPageSize().x - some.LogicalPageSize().x, 60 + grid->GetColumnWidth(3));
}

TEST_F(GridPrintTest, PrintModeOneTakesTheReportsWidthsAndHeights) {
    CGridCtrl* grid = ReportGrid(3);
    Rs record;
    record.Set(Rs::Text::Layout, U("30,26,名称=150,单价=3,"));
    Save(record, "进货报表");
    const int screenWidth = grid->GetColumnWidth(1);
    CGridPrinter byReport(*grid);
    byReport.BeginPrinting(printData);
    EXPECT_EQ(byReport.PrintedWidths(), (std::vector<int>{grid->GetColumnWidth(0), 150,
                                                          grid->GetColumnWidth(2), 48, 30, 26}));
    grid->m_nPrintMode = 0;
    CGridPrinter asShown(*grid);
    asShown.BeginPrinting(printData);
    EXPECT_EQ(asShown.PrintedWidths()[1], screenWidth);
}

TEST_F(GridPrintTest, PaperFromTheReportSettings) {
    CGridCtrl* grid = ReportGrid(3);
    struct Case {
        int code;
        const char* custom;
        int length, width;
    } cases[] = {
        {9, "", 2970, 2100},        {264, "", 1480, 1050}, {0, ",2100", 2972, 2100},
        {0, "1000,800", 1000, 800}, {0, "", 2972, 2108},   {8, "", 4200, 2970},
        {48, "", 2972, 2108}, // reserved: A4
    };
    for (const Case& c : cases) {
        Rs record;
        record.Set(Rs::Int::PaperCode, c.code);
        record.Set(Rs::Text::CustomPaperSize, c.custom);
        record.Set(Rs::Text::Footer, "&%1"); // fixed sheets
        Save(record, "进货报表");
        CGridPrinter job(*grid);
        job.BeginPrinting(printData);
        EXPECT_EQ(job.PaperLength(), c.length) << c.code << c.custom;
        EXPECT_EQ(job.PaperWidth(), c.width) << c.code << c.custom;
    }
}

TEST_F(GridPrintTest, ContinuousPaperShortensASinglePartPage) {
    CGridCtrl* grid = ReportGrid(3);
    CGridPrinter shortened(*grid);
    shortened.BeginPrinting(printData);
    EXPECT_LT(shortened.PaperLength(), 2970 / 2);

    for (const char* footer : {"&%1", "&%3"}) {
        Rs record;
        record.Set(Rs::Text::Footer, footer);
        Save(record, "进货报表");
        CGridPrinter fixed(*grid);
        fixed.BeginPrinting(printData);
        EXPECT_EQ(fixed.PaperLength(), 2970) << footer;
    }

    std::filesystem::remove_all(TestHome() + "/Report");
    CGridPrinter full(*ReportGrid(200));
    full.BeginPrinting(printData);
    EXPECT_GT(full.PageCount(), 1);
    EXPECT_EQ(full.PaperLength(), 2970);
}

TEST_F(GridPrintTest, BandsThatLeaveNoRoomStillPrintOneRowAPage) {
    // A settings file written elsewhere: the save would refuse the header lines.
    Rs record;
    record.Set(Rs::Text::Name, U("进货报表"));
    record.Set(Rs::Int::TitleHeight, 5000);
    record.Set(Rs::Int::BottomMargin, -40);
    std::filesystem::create_directories(TestHome() + "/Report");
    std::ofstream(TestHome() + "/Report/进货报表", std::ios::binary)
        .write(reinterpret_cast<const char*>(record.Bytes().data()), Rs::kSize);
    CGridCtrl* grid = ReportGrid(4);
    CGridPrinter job(*grid);
    job.BeginPrinting(printData);
    EXPECT_EQ(job.RowsPerPage(), 1);
    EXPECT_EQ(job.PageCount(), 4);
    EXPECT_EQ(grid->Print(), 1);
    EXPECT_EQ(PagesInOutput(), 4);
}

TEST_F(GridPrintTest, PageTotals) {
    // 收支流水帐 keeps a negative last page; another report prints 0 for it.
    for (const char* report : {"收支流水帐", "进货报表"}) {
        CGridCtrl* grid = ReportGrid(3, report);
        grid->SetItemText(2, 3, "-30");
        CGridPrinter job(*grid);
        job.BeginPrinting(printData);
        EXPECT_DOUBLE_EQ(job.PageTotal(0), 2 * 10.5 - 60 + 2 * 10.5) << report;
        EXPECT_DOUBLE_EQ(job.PageTotal(1), std::string(report) == "进货报表" ? 0 : -18) << report;
    }
    // A 小计 column is totalled alone; warranty rows of a sales ticket go apart.
    CGridCtrl* ticket = ReportGrid(3, "零件售货单");
    ticket->SetItemText(0, 3, U("小计"));
    ticket->SetItemImage(1, 0, 2);
    CGridPrinter job(*ticket);
    job.BeginPrinting(printData);
    EXPECT_DOUBLE_EQ(job.PageTotal(1), 21);
    EXPECT_DOUBLE_EQ(job.WarrantyTotal(1), 10.5);
}

TEST_F(GridPrintTest, PageTotalsAcrossPages) {
    CGridCtrl* grid = ReportGrid(200);
    CGridPrinter job(*grid);
    job.BeginPrinting(printData);
    const int perPage = job.RowsPerPage();
    ASSERT_GE(job.PageCount(), 3);
    EXPECT_DOUBLE_EQ(job.PageTotal(1), perPage * 21.0);
    EXPECT_DOUBLE_EQ(job.PageTotal(0), 200 * 21.0);
    double sum = 0;
    for (int p = 1; p <= job.PageCount(); ++p)
        sum += job.PageTotal(p);
    EXPECT_DOUBLE_EQ(sum, job.PageTotal(0));
}

TEST_F(GridPrintTest, TotalsLineWithWarrantyAndRunningTotal) {
    CGridCtrl* grid = ReportGrid(200, "零件售货单");
    grid->SetItemText(0, 3, U("小计"));
    grid->SetItemImage(1, 0, 2);
    CGridPrinter job(*grid);
    job.BeginPrinting(printData);
    const int perPage = job.RowsPerPage();
    ASSERT_GE(job.PageCount(), 2);
    const wxString first = job.PageTotalsLine(1);
    EXPECT_TRUE(first.StartsWith(U("本页合计：") + wxString::Format("%.2f", (perPage - 1) * 10.5)))
        << first;
    EXPECT_TRUE(first.Contains(U("10.50三包"))) << first;
    EXPECT_FALSE(first.Contains(U("累计")));
    const wxString second = job.PageTotalsLine(2);
    EXPECT_TRUE(second.EndsWith(U("累计：") + wxString::Format("%.2f", (2 * perPage - 1) * 10.5)))
        << second;
    EXPECT_FALSE(second.Contains(U("三包")));
}

TEST_F(GridPrintTest, RemarkLinesAreReservedUnderTheRows) {
    CGridCtrl* grid = ReportGrid(3, "售货报表");
    grid->SetFieldTypes({});
    CGridPrinter none(*grid);
    none.BeginPrinting(printData);
    EXPECT_EQ(none.FootLines(), 0);
    // One line holds 2 x (printed width - column 0) / cell font height characters.
    const int font = std::abs(grid->GetItemFont(0, 0).lfHeight);
    const int perLine =
        2 * ((none.PrintedWidths()[1] + none.PrintedWidths()[2] + none.PrintedWidths()[3]) / font);
    grid->PrintTexts[26] = wxString('x', perLine);
    CGridPrinter one(*grid);
    one.BeginPrinting(printData);
    EXPECT_EQ(one.FootLines(), 1);
    grid->PrintTexts[26] = wxString('x', perLine + 1);
    CGridPrinter two(*grid);
    two.BeginPrinting(printData);
    EXPECT_EQ(two.FootLines(), 2);
    grid->PrintTexts[26] = "##no print##";
    CGridPrinter off(*grid);
    off.BeginPrinting(printData);
    EXPECT_EQ(off.FootLines(), 0);
}

TEST_F(GridPrintTest, AnOpenWorkCardIsNamedInTheFooter) {
    SetOpenWorkCardSource([](OpenWorkCard& card) {
        card.customer = U("粤A12345");
        card.documentNo = "W0001";
        card.record[U("客户")] = U("粤A12345");
        card.record[U("小计")] = "12345.60";
        card.record[U("厂牌")] = "2026-12-11"; // the reception date, never a phone
        card.record[U("作业人员")] = U("王先生");
        card.phone = "020-888";
        card.address = U("东风路8号");
        return true;
    });
    CGridCtrl* list = ReportGrid(3, "维修清单");
    list->PrintTexts[17] = U("维修清单");
    CGridPrinter own(*list);
    own.BeginPrinting(printData);
    EXPECT_EQ(own.PlateLine(), U("车牌号码: 粤A12345    码表:12345"));
    EXPECT_TRUE(own.CardLines().empty());
    EXPECT_EQ(own.DocumentNo(), "");

    CGridPrinter other(*ReportGrid(3, "进货报表"));
    other.BeginPrinting(printData);
    EXPECT_EQ(other.DocumentNo(), "W0001");
    ASSERT_EQ(other.CardLines().size(), 1u);
    EXPECT_TRUE(other.CardLines()[0].StartsWith(U("客户: 粤A12345  联系人: 王先生  Tel: 020-888")))
        << other.CardLines()[0];
    EXPECT_TRUE(other.CardLines()[0].EndsWith(U("地址: 东风路8号"))) << other.CardLines()[0];
    EXPECT_FALSE(other.CardLines()[0].Contains("2026-12-11")) << other.CardLines()[0];

    CGridPrinter ticket(*ReportGrid(3, "零件售货单"));
    ticket.BeginPrinting(printData);
    EXPECT_TRUE(ticket.CardLines().empty());
    SetOpenWorkCardSource(nullptr);
    CGridPrinter closed(*ReportGrid(3, "进货报表"));
    closed.BeginPrinting(printData);
    EXPECT_TRUE(closed.CardLines().empty());
}

TEST_F(GridPrintTest, TheMonthlyRepairReportIsOneFixedPage) {
    CGridCtrl* grid = ReportGrid(40, "维修月报表");
    grid->PrintTexts.assign(74, wxString());
    grid->PrintTexts[70] = U("十二月");
    grid->PrintTexts[1] = U("制表人");
    CGridPrinter job(*grid);
    job.BeginPrinting(printData);
    EXPECT_EQ(job.PageCount(), 1);
    EXPECT_EQ(grid->Print(), 1);
    EXPECT_EQ(PagesInOutput(), 1);

    struct Recorder : PrintCanvas {
        std::map<std::pair<int, int>, wxString> at;
        void TextBottom(const wxString&, int, int) override {}
        void TextAt(const wxString& t, int x, int y) override { at[{x, y}] = t; }
        void Line(int, int, int, int) override {}
        void SelectFont(const wxString&, int, bool) override {}
        void RestoreFont() override {}
        int TextWidth(const wxString&) override { return 0; }
        void ScaleFont(int) override {}
    } recorder;
    CPrintLayout().PrintMonthlyRepairReport(recorder, grid->PrintTexts, *grid);
    EXPECT_EQ(recorder.at[std::make_pair(30, 85)], U("十二月"));
    EXPECT_EQ(recorder.at[std::make_pair(20, 575)], U("制表人"));
    EXPECT_EQ(recorder.at[std::make_pair(20, 374)], U("机油滤清器"));
    EXPECT_EQ(recorder.at[std::make_pair(275, 374 + 16 * 9)], U("10.50"));
    EXPECT_EQ(recorder.at.count(std::make_pair(20, 374 + 16 * 10)), 0u); // rows 1 to 10 only
}

TEST_F(GridPrintTest, RepairFormsPrintTheirHeadAndFoot) {
    for (const char* kind : {"零件售货单", "派工单", ""}) {
        CGridCtrl* grid = ReportGrid(4, "维修清单");
        grid->SetItemText(0, 3, U("小计"));
        auto& texts = grid->PrintTexts;
        texts[17] = U(kind);
        texts[1] = U("粤A12345");
        texts[10] = U("发动机异响\n检查正时皮带");
        texts[14] = U("质保三个月");
        texts[15] = "##no print##";
        CGridPrinter job(*grid);
        job.BeginPrinting(printData);
        EXPECT_EQ(job.PageCount(), 1) << kind;
        EXPECT_DOUBLE_EQ(job.PageTotal(1), 42) << kind;
        // On continuous paper a form of a few lines comes on a shortened sheet; the
        // work order's parts table fills its sheet.
        EXPECT_EQ(job.PaperLength() < 2970, std::string(kind) != "派工单") << kind;
        EXPECT_EQ(grid->Print(), 1) << kind;
        EXPECT_EQ(PagesInOutput(), 1) << kind;
        // Printing leaves the caller's texts as they were.
        EXPECT_EQ(texts[16], "") << kind;
    }
}

TEST_F(GridPrintTest, TheSameGridPrintsTheSamePagesTwice) {
    CGridCtrl* grid = ReportGrid(120);
    Rs record;
    record.Set(Rs::Text::Footer, U("谢谢惠顾\n欢迎再来@#11&%1"));
    record.Set(Rs::Text::Title, U("进货明细@#28"));
    Save(record, "进货报表");
    CGridPrinter first(*grid), second(*grid);
    first.BeginPrinting(printData);
    second.BeginPrinting(printData);
    EXPECT_EQ(first.PageCount(), second.PageCount());
    EXPECT_EQ(first.LogicalPageSize(), second.LogicalPageSize());
    EXPECT_EQ(first.PrintedWidths(), second.PrintedWidths());
    EXPECT_EQ(CurrentReportSettings.Get(Rs::Text::Title), U("进货明细@#28"));
}

} // namespace
