// The recordset shown in the desktop's spreadsheet program: a workbook written to the
// private folder and handed to the desktop.
#include "common/table_folder.h"
#include "data/data_set.h"
#include "data/db_link.h"
#include "data/main_frame_data.h"
#include "data/workbook_file.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"

#include <gtest/gtest.h>

namespace {

class ExcelExportTest : public TableFolderTest {
protected:
    void SetUp() override {
        TableFolderTest::SetUp();
        frame_ = std::make_unique<CMainFrameData>();
        MakeTables({"ljkc"}, *frame_);
        Insert("ljkc", {{{"零件名称", "机油滤清器"}, {"编号", "JL-01"}, {"数量", "4"}, {"no", "1"}},
                        {{"零件名称", "刹车片"}, {"no", "2"}}});
        CDbLink::SetSpreadsheetLauncher([this](const wxString& path) {
            opened_.push_back(path);
            return opens_;
        });
    }
    void TearDown() override {
        CDbLink::SetSpreadsheetLauncher(nullptr);
        frame_.reset();
        TableFolderTest::TearDown();
    }
    std::unique_ptr<CMainFrameData> frame_;
    platform::ScriptedMessageBoxes boxes_;
    std::vector<wxString> opened_;
    bool opens_ = true;
};

TEST_F(ExcelExportTest, HeaderOfFieldNamesAndOneRowPerRecordInAPrivateWorkbook) {
    CDataSet data;
    data.Open("select * from ljkc order by no");
    ASSERT_TRUE(data.IsOpen());
    CDbLink link;
    const wxString path = link.ExportToExcel(data.m_pRecordset, U("零件/库存"));
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(opened_, std::vector<wxString>{path});
    EXPECT_TRUE(path.EndsWith(".xlsx"));
    EXPECT_TRUE(path.StartsWith(wxString::FromUTF8(std::getenv("QV_SYSDIR"))));
    EXPECT_FALSE(path.AfterLast('/').Contains("/"));

    std::vector<WorkbookSheet> sheets;
    std::string error;
    ASSERT_TRUE(ReadWorkbook(path.utf8_string(), &sheets, &error)) << error;
    ASSERT_EQ(sheets.size(), 1u);
    const auto& rows = sheets[0].rows;
    ASSERT_EQ(rows.size(), 3u);
    const std::vector<std::string> firstNames(rows[0].begin(), rows[0].begin() + 4);
    EXPECT_EQ(firstNames, (std::vector<std::string>{"定货单", "车型", "部位", "零件名称"}));
    EXPECT_EQ(rows[0].back(), "no");
    EXPECT_EQ(rows[1][3], "机油滤清器");
    EXPECT_EQ(rows[1][7], "4");
    EXPECT_EQ(rows[2][3], "刹车片");
    EXPECT_EQ(rows[2][4], "");
    EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(ExcelExportTest, NoProgramToOpenTheWorkbookIsSaid) {
    opens_ = false;
    CDataSet data;
    data.Open("select * from ljkc where no=0");
    CDbLink link;
    EXPECT_TRUE(link.ExportToExcel(data.m_pRecordset, "x").empty());
    EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"Excel无法起动(可能没有安装或安装不正确)."});
}

} // namespace
