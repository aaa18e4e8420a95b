// The workshop's reports opened as the staff use them: the follow-up list of last
// month printed to a file, the warranty parts page listing a settled card's warranty
// part under its filters, the brand report's defects kept to the rows asked for.
#include "gui_repair_sheet_fixture.h"

#include "common/pdf_text.h"

#include "app/main_frame.h"
#include "data/date_range.h"
#include "grid/grid_ctrl.h"
#include "grid/print_options_dlg.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "res/brand_report_template.h"
#include "res/command_ids.h"
#include "res/follow_up_template.h"
#include "res/print_options_template.h"
#include "res/warranty_page_template.h"
#include "work/brand_report_dlg.h"
#include "work/follow_up_dlg.h"
#include "work/follow_up_query.h"
#include "work/repair_settlement.h"
#include "work/warranty_page.h"
#include "work/work_sheet.h"

#include <cstdio>
#include <wx/combobox.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

namespace {

class ReportsTest : public WorkshopTest {
protected:
    // Every question of a settlement answered yes.
    class YesToAll : public work::TakeOutQuestions {
    public:
        Answer Ask(const wxString&, bool) override { return Yes; }
        bool ChooseBin(const wxString&, wxString*) override { return false; }
        void Tell(const wxString&) override {}
    };
    static std::vector<wxString> Parts(CGridCtrl* grid) {
        std::vector<wxString> parts;
        const int column = ColumnOf(grid, "零件名称");
        for (int row = 1; row < grid->GetRowCount(); ++row)
            parts.push_back(grid->GetItemText(row, column));
        return parts;
    }
};

TEST_F(ReportsTest, FollowUpListOfLastMonthPrintsToPdf) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    platform::ScriptedMessageBoxes boxes;
    wxString first, last;
    CDateRange::PreviousMonth(wxDateTime::Today(), first, last);
    const std::string day = (first.Left(8) + "15").utf8_string();
    Insert("gk",
           {{{"车牌号码", "粤A12345"}, {"车主姓名", "王五"}, {"手机", "13800000000"}, {"no", "1"}},
            {{"车牌号码", "粤B88888"}, {"车主姓名", "赵六"}, {"no", "2"}}});
    Insert("ljsh", {{{"客户", "粤A12345"},
                     {"项目名称", "更换机油"},
                     {"单价", "80"},
                     {"码表", "42000"},
                     {"日期", day.c_str()},
                     {"flag", "W"},
                     {"no", "1"}},
                    {{"客户", "粤B88888"},
                     {"项目名称", "更换机油"},
                     {"单价", "80"},
                     {"码表", "9000"},
                     {"日期", day.c_str()},
                     {"flag", "W"},
                     {"no", "2"}}});
    const std::string pdf = Path("follow_up.pdf");
    frame->m_printData.SetPrintMode(wxPRINT_MODE_FILE);
    frame->m_printData.SetFilename(pdf);

    CPrintOptionsDlg* print = nullptr;
    EXPECT_TRUE(qv_test::AnswerModal<CFollowUpDlg>(
        [&] { frame->ExecuteCommand(ID_FOLLOW_UP); },
        [&](CFollowUpDlg& dialog) {
            using namespace res::follow_up;
            EXPECT_EQ(qv_test::Text(&dialog, kFromEdit), first);
            EXPECT_EQ(qv_test::Text(&dialog, kToEdit), last);
            // The hint names no item: nothing is listed.
            qv_test::Click(&dialog, kShowButton);
            EXPECT_EQ(dialog.GetGrid()->GetRowCount(), 1);
            qv_test::Type(&dialog, kItemsEdit, "更换机油");
            qv_test::Click(&dialog, kShowButton);
            CGridCtrl* grid = dialog.GetGrid();
            ASSERT_EQ(grid->GetRowCount(), 3);
            // 删除 drops a line from the list only.
            grid->SetFocusCell(2, 1);
            qv_test::Click(&dialog, kDeleteButton);
            ASSERT_EQ(grid->GetRowCount(), 2);
            qv_test::Click(&dialog, res::IDOK);
            print = dialog.GetPrintDialog();
            ASSERT_NE(print, nullptr);
            auto* radio = res::Control<wxRadioButton>(print, res::print_options::kPrintRadio);
            radio->SetValue(true);
            wxCommandEvent event(wxEVT_RADIOBUTTON, radio->GetId());
            event.SetEventObject(radio);
            radio->GetEventHandler()->ProcessEvent(event);
            print->OnOutput();
            Pump();
        }));
    Pump();
    ASSERT_TRUE(platform::FileExists(pdf));
    const std::string text = PdfText(pdf);
    EXPECT_NE(text.find("跟踪服务"), std::string::npos);
    EXPECT_NE(text.find("更换机油"), std::string::npos);
    // Exactly one of the two vehicles was printed.
    EXPECT_NE(text.find("粤A12345") == std::string::npos,
              text.find("粤B88888") == std::string::npos);
    // Nothing was written to the archive.
    EXPECT_EQ(Column(U("select * from ljsh"), U("客户")).size(), 2u);
}

TEST_F(ReportsTest, WarrantyPartOfASettledCardIsListedUnderItsFilters) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    platform::ScriptedMessageBoxes boxes;
    Insert("ljkc", {{{"编号", "C3"}, {"零件名称", "刹车片"}, {"数量", "3"}, {"no", "1"}}});
    Insert("zyxm", {{{"客户", "京A1"}, {"flag", "W"}, {"单位", "NO"}, {"no", "1"}},
                    {{"客户", "京A1"},
                     {"flag", "W"},
                     {"项目名称", "刹车片"},
                     {"编号", "C3"},
                     {"单价", "100"},
                     {"数量", "1"},
                     {"其它", "S"},
                     {"备注", "异响"},
                     {"进价", "60"},
                     {"no", "2"}}});
    {
        auto lines = std::make_shared<ado::Recordset>();
        ASSERT_TRUE(CDataSet().OpenInto(U("select * from zyxm where flag like '%W%'"), lines));
        lines->PutFilter(ado::Variant(CSqlText::Criterion(U("客户"), U("京A1")).utf8_string()));
        wxString docNumber;
        YesToAll yes;
        work::RepairSettlement settlement(lines, U("京A1"), docNumber, yes);
        ASSERT_EQ(settlement.Prepare(), work::RepairSettlement::Ready);
        ASSERT_EQ(settlement.Run(work::SettleOffsets{}, 0), work::RepairSettlement::Done);
    }
    // A genuine part sent back and a line of another customer beside it.
    Insert("ljth", {{{"客户", "京A1"}, {"零件名称", "机油"}, {"备注", "正品退出"}, {"no", "90"}},
                    {{"客户", "沪B2"}, {"零件名称", "灯泡"}, {"no", "91"}}});

    frame->ExecuteCommand(ID_CODE_WARRANTY_PARTS);
    Pump();
    auto* sheet = dynamic_cast<CWorkSheet*>(frame->GetSheet(CMainFrame::SheetKind::Warranty));
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(frame->m_pActiveSheet, sheet);
    auto* page = dynamic_cast<sblj*>(sheet->GetActiveWorkPage());
    ASSERT_NE(page, nullptr);
    CGridCtrl* grid = page->GetLineGrid();
    // Ordered by date, a line without one first.
    EXPECT_EQ(Parts(grid), (std::vector<wxString>{U("灯泡"), U("刹车片")}));

    using namespace res::warranty_page;
    auto* customers = res::Control<wxComboBox>(page, kCustomerCombo);
    customers->SetValue(U("京A1"));
    qv_test::Click(page, kQueryButton);
    EXPECT_EQ(Parts(grid), std::vector<wxString>{U("刹车片")});
    // Reissued at the settlement: not among the parts still to reissue, for one query.
    qv_test::Click(page, kNotReissuedButton);
    EXPECT_TRUE(Parts(grid).empty());
    qv_test::Click(page, kNotSentOutButton);
    EXPECT_EQ(Parts(grid), std::vector<wxString>{U("刹车片")});
    // A range that ends before the settlement leaves it out.
    res::Control<wxTextCtrl>(page, kToEdit)->ChangeValue("2004-12-31");
    qv_test::Click(page, kQueryButton);
    EXPECT_TRUE(Parts(grid).empty());

    // A new line of the customer, numbered when saved.
    res::Control<wxTextCtrl>(page, kToEdit)->ChangeValue(wxDateTime::Today().Format("%Y-%m-%d"));
    qv_test::Click(page, kQueryButton);
    qv_test::Click(page, kNewButton);
    ASSERT_EQ(grid->GetRowCount(), 3);
    qv_test::Click(page, kSaveButton);
    EXPECT_EQ(
        Column(U("select * from ljth where 客户='京A1' and 零件名称 IS NULL"), U("no")).size(), 1u);
    EXPECT_EQ(Column(U("select * from ljth where no<0"), U("no")).size(), 0u);

    // A line without a customer, then a customer typed that is not listed: it joins
    // the list, goes into that line and filters the lines to it until the save.
    customers->SetValue(U("全部"));
    qv_test::Click(page, kQueryButton);
    qv_test::Click(page, kNewButton);
    customers->SetValue(U("苏C9"));
    page->OnCustomerEntered();
    EXPECT_NE(customers->FindString(U("苏C9"), true), wxNOT_FOUND);
    ASSERT_EQ(grid->GetRowCount(), 2);
    EXPECT_TRUE(res::FindControl(page, kSaveButton)->IsEnabled());
    qv_test::Click(page, kSaveButton);
    EXPECT_EQ(Column(U("select * from ljth where 客户='苏C9'"), U("no")).size(), 1u);

    qv_test::Click(page, kExitButton);
    Pump();
    EXPECT_EQ(frame->GetSheet(CMainFrame::SheetKind::Warranty), nullptr);
}

TEST_F(ReportsTest, BrandReportKeepsTheRowsAskedForAndDeletesFromTheGridOnly) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    platform::ScriptedMessageBoxes boxes;
    Insert("ljsh", {{{"车型", "捷达"}, {"项目名称", "刹车片"}, {"日期", "2005-03-01"}, {"no", "1"}},
                    {{"车型", "捷达"}, {"项目名称", "刹车片"}, {"日期", "2005-03-02"}, {"no", "2"}},
                    {{"车型", "捷达"}, {"项目名称", "水泵"}, {"日期", "2005-03-03"}, {"no", "3"}}});
    EXPECT_TRUE(
        qv_test::AnswerModal<CBrandReportDlg>([&] { frame->ExecuteCommand(ID_BRAND_REPORT); },
                                              [&](CBrandReportDlg& dialog) {
                                                  using namespace res::brand_report;
                                                  CGridCtrl* grid = dialog.GetGrid();
                                                  qv_test::Type(&dialog, kFromEdit, "2005-03-01");
                                                  qv_test::Type(&dialog, kToEdit, "2005-03-31");
                                                  qv_test::Type(&dialog, kKeepRowsEdit, "1");
                                                  qv_test::Click(&dialog, kStatisticsButton);
                                                  ASSERT_EQ(grid->GetRowCount(), 2);
                                                  EXPECT_EQ(grid->GetItemText(1, 2), U("刹车片"));
                                                  EXPECT_EQ(grid->GetItemText(1, 4), "2");
                                                  qv_test::Type(&dialog, kKeepRowsEdit, "");
                                                  qv_test::Click(&dialog, kStatisticsButton);
                                                  ASSERT_EQ(grid->GetRowCount(), 3);
                                                  grid->SetFocusCell(1, 1);
                                                  qv_test::Click(&dialog, kDeleteButton);
                                                  ASSERT_EQ(grid->GetRowCount(), 2);
                                                  EXPECT_EQ(grid->GetItemText(1, 0), "1");
                                                  EXPECT_EQ(grid->GetItemText(1, 2), U("水泵"));
                                                  qv_test::Click(&dialog, kStatisticsButton);
                                                  EXPECT_EQ(grid->GetRowCount(), 3);
                                                  // The form's texts go to the print dialog with
                                                  // the grid.
                                                  qv_test::Type(&dialog, kFirstStaffEdit, "3");
                                                  qv_test::Click(&dialog, kPrintButton);
                                                  ASSERT_NE(dialog.GetPrintDialog(), nullptr);
                                                  ASSERT_EQ(grid->PrintTexts.size(), 74u);
                                                  EXPECT_EQ(grid->PrintTexts[2], "3");
                                                  EXPECT_EQ(grid->m_strTitle, U("维修月报表"));
                                              }));
    EXPECT_EQ(Column(U("select * from ljsh"), U("项目名称")).size(), 3u);
}

} // namespace
