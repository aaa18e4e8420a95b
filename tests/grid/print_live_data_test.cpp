// The cost and quantity sheet of the customer in front, built by the print dialog.
#include "recordset_fixture.h"

#include "data/setting_files.h"
#include "grid/print_options_dlg.h"
#include "grid/print_seam.h"

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

} // namespace
