// Printing on live data of a generated account set: the cost and quantity sheet and
// the report settings preview.
#include "recordset_fixture.h"

#include "data/setting_files.h"
#include "grid/print_job.h"
#include "grid/print_options_dlg.h"
#include "grid/print_seam.h"
#include "grid/report_setup_dlg.h"
#include "res/report_setup_template.h"

#include <filesystem>
#include <wx/cmndata.h>
#include <wx/combobox.h>
#include <wx/listbox.h>

namespace {

class CostSheetTest : public RecordsetGridTest {
protected:
    void TearDown() override {
        SetActiveSheetSource(nullptr);
        CSettingFiles::DeleteSettingFile("SystemSet");
        RecordsetGridTest::TearDown();
    }
    // zyxm lines of customers with their flags.
    void AddCustomerLines(const std::vector<std::pair<const char*, const char*>>& lines) {
        CDataSet set;
        set.Open("select * from zyxm where no=0");
        ASSERT_TRUE(set.IsOpen());
        auto rs = set.m_pRecordset;
        for (const auto& [customer, flag] : lines) {
            rs->AddNew();
            set.PutFieldValue(U("机油"), U("项目名称"), rs);
            set.PutFieldValue(U(customer), U("客户"), rs);
            set.PutFieldValue(flag, "flag", rs);
            set.PutFieldValue("2", U("数量"), rs);
            set.PutFieldValue("30", U("单价"), rs);
            set.PutFieldValue("100", U("折扣"), rs);
            set.PutFieldValue("20", U("进价"), rs);
        }
        set.NumberRows(rs, "zyxm");
        ASSERT_EQ(set.Save(rs), 1);
    }
};

TEST_F(CostSheetTest, HoldsTheLinesOfTheCustomerAndMode) {
    AddCustomerLines({{"粤A1", "W"}, {"粤A1", "W"}, {"粤A1", "W"}, {"粤A1", "P"}, {"粤B2", "W"}});
    SetActiveSheetSource([](ActiveSheetLines& sheet) {
        sheet.customer = U("粤A1");
        sheet.mode = "W";
        return true;
    });
    ASSERT_EQ(CSettingFiles::WriteSettingFile("SystemSet", U("零件售货单=1,")), 1);
    CGridCtrl* grid = NewGrid("zyxm");
    grid->m_strTitle = U("维修清单");
    auto* dialog = new CPrintOptionsDlg(frame, grid);
    dialog->BuildCostSheet();
    CGridCtrl* sheet = dialog->CostGrid();
    EXPECT_EQ(sheet->m_strTitle, U("成本数量单"));
    EXPECT_EQ(sheet->GetTableName(), "zyxm");
    // Three lines of 粤A1 under W; the first record is left out as on every zyxm grid.
    EXPECT_EQ(sheet->GetRowCount(), 1 + 2);
    EXPECT_EQ(sheet->GetItemText(1, ColumnOf(sheet, "毛利")).Trim(), "20.00");
    dialog->Destroy();
    EXPECT_TRUE(boxes.Texts().empty());
}

using ReportPreviewTest = RecordsetGridTest;

TEST_F(ReportPreviewTest, ThePreviewGridHoldsThePrintedColumnsOnly) {
    namespace ids = res::report_setup;
    auto* dialog = new CReportSetupDlg(frame);
    res::Control<wxComboBox>(dialog, ids::kReportCombo)->SetStringSelection(U("年审车辆"));
    dialog->OnSelchangeReport();
    auto* printed = res::Control<wxListBox>(dialog, ids::kPrintedList);
    printed->SetStringSelection(U("性别"));
    dialog->OnMoveToHidden();
    printed->SetStringSelection(U("序号"));
    dialog->OnMoveToHidden();
    ASSERT_TRUE(dialog->BuildPreviewGrid(false));
    CGridCtrl* grid = dialog->Grid();
    EXPECT_EQ(grid->m_strTitle, U("年审车辆"));
    EXPECT_EQ(grid->GetColumnCount(), 9);
    EXPECT_EQ(grid->GetItemText(0, 0), U("车牌号码"));
    for (int c = 0; c < grid->GetColumnCount(); ++c)
        EXPECT_NE(grid->GetItemText(0, c), U("性别"));
    EXPECT_EQ(grid->PrintTexts[17], U("维修清单"));
    dialog->Destroy();
    EXPECT_TRUE(boxes.Texts().empty());
}

// 预览 never fails silently: a report that is no query, or one with every column
// hidden, says why it shows nothing.
TEST_F(ReportPreviewTest, APreviewThatCannotBeShownSaysWhy) {
    namespace ids = res::report_setup;
    auto* dialog = new CReportSetupDlg(frame);
    res::Control<wxComboBox>(dialog, ids::kReportCombo)->SetStringSelection(U("维修清单"));
    dialog->OnSelchangeReport();
    dialog->OnPreview();
    res::Control<wxComboBox>(dialog, ids::kReportCombo)->SetStringSelection(U("同名零件"));
    dialog->OnSelchangeReport();
    auto* printed = res::Control<wxListBox>(dialog, ids::kPrintedList);
    while (printed->GetCount()) {
        printed->SetSelection(0);
        dialog->OnMoveToHidden();
    }
    dialog->OnPreview();
    dialog->Destroy();
    EXPECT_EQ(boxes.Texts(),
              (std::vector<std::string>{"“维修清单”不是由查询生成的报表，请在打印它的窗口中预览。",
                                        "没有要打印的栏目，无法预览。"}));
    std::filesystem::remove_all(TestHome() + "/Report");
}

class MaintenanceHintTest : public CostSheetTest {
protected:
    void TearDown() override {
        SetOpenWorkCardSource(nullptr);
        CostSheetTest::TearDown();
    }
    void Insert(const char* table, const std::vector<std::pair<const char*, const char*>>& values) {
        CDataSet set;
        set.Open(wxString("select * from ") + table + " where no=0");
        ASSERT_TRUE(set.IsOpen());
        auto rs = set.m_pRecordset;
        rs->AddNew();
        for (const auto& [field, value] : values)
            set.PutFieldValue(U(value), U(field), rs);
        set.NumberRows(rs, table);
        ASSERT_EQ(set.Save(rs), 1);
    }
};

TEST_F(MaintenanceHintTest, DueItemsOfTheCardFollowItsRows) {
    CreateTable("byxmb");
    CreateTable("tmlj");
    AddCustomerLines({{"粤A1", "W"}, {"粤A1", "W"}});
    Insert("byxmb",
           {{"保养类", "通用"}, {"项目名称", "机油"}, {"更换间隔", "5000"}, {"处理方法", "更换"}});
    Insert("tmlj", {{"项目名称", "机油"}, {"等同名", "机油"}});
    SetOpenWorkCardSource([](OpenWorkCard& card) {
        card.customer = U("粤A1");
        return true;
    });
    CGridCtrl* grid = NewGrid("zyxm");
    grid->SetRowCount(3);
    grid->m_strReportName = U("维修清单");
    grid->PrintTexts[17] = U("维修清单");
    grid->PrintTexts[18] = "print";
    CGridPrinter job(*grid);
    job.BeginPrinting(wxPrintData());
    EXPECT_EQ(job.HintLines(), std::vector<wxString>{U("机油  保养里程: 5000")});
    // Every document of the card but the sales ticket prints them under its rows;
    // the work order two a line.
    Insert("byxmb",
           {{"保养类", "通用"}, {"项目名称", "机滤"}, {"更换间隔", "10000"}, {"处理方法", "更换"}});
    Insert("zyxm", {{"客户", "粤A1"}, {"项目名称", "机滤"}, {"flag", "W"}});
    const std::pair<const char*, std::vector<wxString>> kinds[] = {
        {"", {U("机滤  保养里程: 10000"), U("机油  保养里程: 5000")}},
        {"派工单", {U("机滤  保养里程: 10000    机油  保养里程: 5000")}},
        {"零件售货单", {}},
    };
    for (const auto& [kind, lines] : kinds) {
        grid->PrintTexts[17] = U(kind);
        CGridPrinter form(*grid);
        form.BeginPrinting(wxPrintData());
        EXPECT_EQ(form.HintLines(), lines) << kind;
    }
    grid->PrintTexts[17] = U("维修清单");

    // Without the request, or for another customer, there are none.
    grid->PrintTexts[18] = "";
    CGridPrinter plain(*grid);
    plain.BeginPrinting(wxPrintData());
    EXPECT_TRUE(plain.HintLines().empty());
    EXPECT_TRUE(boxes.Texts().empty());
}

} // namespace
