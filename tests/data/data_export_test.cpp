#include "data/data_export.h"
#include "data/db_link.h"
#include "data/table_file_export.h"
#include "maintenance_fixture.h"

namespace {

class DataExportTest : public MaintenanceTest {
protected:
    void SetUp() override {
        MaintenanceTest::SetUp();
        Insert("ljth", {{{"零件名称", "一"}, {"日期", "2005-01-01"}, {"no", "1"}},
                        {{"零件名称", "二"}, {"日期", "2005-02-03"}, {"no", "2"}},
                        {{"零件名称", "三"}, {"日期", "2005-03-01"}, {"no", "3"}}});
    }
    Texts Names() { return Column("select * from ljth order by no", U("零件名称")); }
    // Saves the rows of the statement to a file as the document's save does; the count.
    long SaveRows(const wxString& statement, const std::string& file) {
        CDataSet data;
        data.Open(statement);
        EXPECT_TRUE(data.IsOpen());
        const std::string path = Path(file);
        const std::string ext = file.substr(file.rfind('.'));
        if (ext == ".xlsx") {
            std::vector<wxString> header;
            for (int i = 0; i < data.m_pRecordset->Fields().Count(); ++i)
                header.push_back(wxString::FromUTF8(data.m_pRecordset->Fields().Item(i).Name()));
            CDbLink().ExportToSpreadsheet(data.m_pRecordset, wxString::FromUTF8(path), header,
                                          false);
        } else if (ext == ".dwf") {
            EXPECT_EQ(ExportToEncryptedFile(data.m_pRecordset, wxString::FromUTF8(path)), 1);
        } else if (ext == ".dbf")
            EXPECT_EQ(ExportToTableFile(data.m_pRecordset, wxString::FromUTF8(path)), 1);
        else
            data.m_pRecordset->Save(path, ado::adPersistADTG);
        return data.m_pRecordset->RecordCount();
    }
};

TEST(DataExportCondition, DatesBoundTheDatedTablesOnly) {
    struct Case {
        const char* table;
        const char* from;
        const char* to;
        const char* condition;
        const char* statement;
    } cases[] = {
        {"wlzm", "2004-01-01", "2004-12-31", "日期<={^2004-12-31} and 日期>={^2004-01-01}",
         "select * from wlzm where 日期<={^2004-12-31} and 日期>={^2004-01-01}"},
        {"ljsh", "2004-01-01", "", "日期>={^2004-01-01}",
         "select * from ljsh where 日期>={^2004-01-01}"},
        {"kzk", "", "2004-12-31", "日期<={^2004-12-31}",
         "select * from kzk where 日期<={^2004-12-31}"},
        {"gk", "2004-01-01", "2004-12-31", "no>-1", "select * from gk"},
        {"blp", "", "", "no>-1", "select * from blp"}, // no range: the whole table
    };
    for (const Case& c : cases) {
        const wxString condition = CDataExport::Condition(c.table, U(c.from), U(c.to));
        EXPECT_EQ(condition, U(c.condition)) << c.table;
        EXPECT_EQ(CDataExport::LoadStatement(c.table, condition), U(c.statement)) << c.table;
    }
}

TEST(DataExportCondition, DatesThatAreNotPlainDatesAreRefused) {
    platform::ScriptedMessageBoxes boxes;
    for (const char* date : {"2004-1-1", "2004-02-30", "2004-01-01} or {^2004-01-01", "0:00:00"})
        EXPECT_EQ(CDataExport::Condition("ljth", "", U(date)), wxString()) << date;
    EXPECT_EQ(CDataExport::Condition("ljth", U("2004-13-01"), ""), wxString());
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>(5, "日期不对，请重新输入！"));
}

TEST_F(DataExportTest, ACompleteExportIsDeletedWhenTheOperatorAgrees) {
    const wxString condition = CDataExport::Condition("ljth", "2005-02-01", "");
    for (const char* file : {"out.adtg", "out.dbf", "out.xlsx", "out.dwf"}) {
        SCOPED_TRACE(file);
        const long rows = SaveRows(CDataExport::LoadStatement("ljth", condition), file);
        ASSERT_EQ(rows, 2);
        EXPECT_TRUE(CDataExport::IsComplete(U(Path(file).c_str()), rows));
    }
    platform::ScriptedMessageBoxes boxes;
    boxes.Reply(platform::IDYES);
    EXPECT_TRUE(
        CDataExport(*frame_).Finish("ljth", condition, U(Path("out.dbf").c_str()), 2, true));
    EXPECT_EQ(Names(), Texts{U("一")});
    EXPECT_EQ(boxes.Texts(),
              (std::vector<std::string>{"数据被导出后,导出的数据将从本系统中删除,是否继续?",
                                        "操作完成 "}));
    EXPECT_TRUE(WorkingCopies().empty()); // reading the files back leaves no plain copy
}

TEST_F(DataExportTest, NothingIsDeletedWithoutACompleteFileOrAYes) {
    const wxString condition = CDataExport::Condition("ljth", "", "");
    const long rows = SaveRows("select * from ljth where no<3", "part.adtg"); // a short file
    EXPECT_EQ(rows, 2);
    struct Case {
        std::string path;
        const char* first;
    } cases[] = {
        {Path("missing.adtg"), "数据没有完整导出，数据没有删除。"},
        {Path("part.adtg"), "数据没有完整导出，数据没有删除。"},
    };
    CDataExport exporter(*frame_);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        platform::ScriptedMessageBoxes boxes;
        boxes.Reply(platform::IDYES);
        EXPECT_FALSE(exporter.Finish("ljth", condition, U(c.path.c_str()), 3, true));
        EXPECT_EQ(boxes.Texts().front(), c.first);
        EXPECT_EQ(boxes.Texts().back(), "操作完成 ");
    }
    {
        // The save was cancelled, or "文件已经存在,是否覆盖?" answered No: never "操作完成".
        platform::ScriptedMessageBoxes boxes;
        EXPECT_FALSE(exporter.Finish("ljth", condition, wxString(), 3, true));
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"文件没有保存，数据没有导出。"});
    }
    SaveRows("select * from ljth", "all.adtg");
    platform::ScriptedMessageBoxes boxes;
    boxes.Reply(platform::IDNO);
    EXPECT_FALSE(exporter.Finish("ljth", condition, U(Path("all.adtg").c_str()), 3, true));
    EXPECT_FALSE(exporter.Finish("ljth", condition, U(Path("all.adtg").c_str()), 3, false));
    EXPECT_EQ(Names().size(), 3u);
    EXPECT_TRUE(WorkingCopies().empty());
}

} // namespace
