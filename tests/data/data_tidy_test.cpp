#include "data/data_tidy.h"
#include "foxdb/dbf_table.h"
#include "maintenance_fixture.h"
#include "platform/gbk.h"

namespace {

class DataTidyTest : public MaintenanceTest {
protected:
    void InsertDated() {
        Insert("ljth", {{{"零件名称", "一"}, {"日期", "2005-01-01"}, {"no", "1"}},
                        {{"零件名称", "二"}, {"日期", "2005-02-03"}, {"no", "2"}},
                        {{"零件名称", "三"}, {"日期", "2005-03-01"}, {"no", "3"}},
                        {{"零件名称", "四"}, {"日期", "2005-04-01"}, {"no", "4"}}});
    }
    Texts Names() { return Column("select * from ljth order by no", U("零件名称")); }
    // The working copy of a table, decrypted, for damaging its bytes.
    std::string PlainCopy(const char* table) {
        EXPECT_EQ(CTableCrypt::DecryptTable(table), 1);
        return Read(Working(std::string(table) + ".dbf"));
    }
    static size_t HeaderLength(const std::string& bytes) {
        return static_cast<unsigned char>(bytes[8]) | static_cast<unsigned char>(bytes[9]) << 8;
    }
    static size_t RecordLength(const std::string& bytes) {
        return static_cast<unsigned char>(bytes[10]) | static_cast<unsigned char>(bytes[11]) << 8;
    }
};

TEST(DataTidyCondition, DatedTablesUseTheRangeOthersLoseAllRows) {
    struct Case {
        const char* table;
        const char* from;
        const char* to;
        const char* condition;
    } cases[] = {
        {"ljsh", "2005-02-03", "", "日期>={^2005-02-03}"},
        {"ljth", "", "2005-03-01", "日期<={^2005-03-01}"},
        {"kzk", "2005-02-03", "2005-03-01", "日期<={^2005-03-01} and 日期>={^2005-02-03}"},
        {"blp", "", "", ""},
        {"gk", "2005-02-03", "2005-03-01", "no>-1"},
        {"fieldlong", "", "", "no>-1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CDataTidy::DeleteCondition(c.table, U(c.from), U(c.to)), U(c.condition))
            << c.table;
    EXPECT_EQ(CDataTidy::TableCodes().size(), 30u);
}

TEST_F(DataTidyTest, DeletesTheRangeWithBothEndsIncluded) {
    InsertDated();
    Insert("gk", {{{"no", "1"}}, {{"no", "2"}}});
    platform::ScriptedMessageBoxes boxes;
    CDataTidy tidy(*frame_);
    EXPECT_TRUE(tidy.DeleteRows("ljth", "2005-02-03", "2005-03-01"));
    EXPECT_EQ(Names(), (Texts{U("一"), U("四")}));
    EXPECT_TRUE(tidy.DeleteRows("ljth", "2005-04-01", ""));
    EXPECT_EQ(Names(), (Texts{U("一")}));
    EXPECT_TRUE(tidy.DeleteRows("gk", "2030-01-01", "2030-01-02"));
    EXPECT_EQ(Column("select * from gk", "no"), Texts{});
    EXPECT_EQ(boxes.Texts(),
              (std::vector<std::string>{"所选数据库中的数据将被删除,是否继续?", "操作完成 ",
                                        "所选数据库中的数据将被删除,是否继续?", "操作完成 ",
                                        "所选数据库中的数据将被删除,是否继续?", "操作完成 "}));
    EXPECT_TRUE(WorkingCopies().empty());
}

TEST_F(DataTidyTest, RefusedOrCancelledDeletesKeepEveryRow) {
    InsertDated();
    platform::ScriptedMessageBoxes boxes;
    CDataTidy tidy(*frame_);
    EXPECT_FALSE(tidy.DeleteRows("ljth", "", ""));         // no range at all
    EXPECT_FALSE(tidy.DeleteRows("ljth", "2005-2-3", "")); // not checked
    EXPECT_FALSE(tidy.DeleteRows("ljth", "", "2005-02-30"));
    EXPECT_FALSE(tidy.DeleteRows("ljth", "", "2005-01-01} or {^2005-01-01"));
    boxes.Reply(platform::IDNO);
    EXPECT_FALSE(tidy.DeleteRows("ljth", "2005-01-01", "2005-12-31"));
    EXPECT_EQ(Names().size(), 4u);
    EXPECT_EQ(boxes.Texts().front(), "请输入要删除数据的时间范围！");
    EXPECT_EQ(boxes.Texts()[1], "日期不对，请重新输入！");
    EXPECT_EQ(boxes.Texts().back(), "所选数据库中的数据将被删除,是否继续?");
}

TEST_F(DataTidyTest, DeletingAllDataKeepsColumnWidthsAndCodes) {
    for (const char* table : {"fieldlong", "jmb"})
        CreatePlainTable(CTableCatalog().GetCreateSql(table));
    frame_->EncryptAllTables();
    InsertDated();
    Insert("fieldlong", {{{"no", "1"}}});
    Insert("jmb", {{{"no", "1"}}});
    Insert("zyxm", {{{"no", "1"}}});
    platform::ScriptedMessageBoxes boxes;
    wxString backupFolder; // the folder dialog's answer: Cancel
    SetFolderDialogHandler([&](const wxString&) { return backupFolder; });
    boxes.Reply(platform::IDYES); // all data goes
    boxes.Reply(platform::IDYES); // after a backup, which is cancelled
    EXPECT_FALSE(CDataTidy(*frame_).DeleteRows(wxString(), "", "2005-02-03"));
    EXPECT_EQ(Names().size(), 4u);

    backupFolder = wxString::FromUTF8(root_ + "/backup");
    std::filesystem::create_directories(root_ + "/backup");
    boxes.Reply(platform::IDYES);
    boxes.Reply(platform::IDYES);
    boxes.Clear();
    EXPECT_TRUE(CDataTidy(*frame_).DeleteRows(wxString(), "", "2005-02-03"));
    EXPECT_EQ(Read(root_ + "/backup/gk.dwf"), Read(SetFile("gk.dwf")));
    EXPECT_EQ(Names(), (Texts{U("三"), U("四")}));
    EXPECT_EQ(Column("select * from zyxm", "no"), Texts{});
    EXPECT_EQ(Column("select * from fieldlong", "no"), Texts{"1"});
    EXPECT_EQ(Column("select * from jmb", "no"), Texts{"1"});
    EXPECT_EQ(boxes.Texts().back(), "操作完成 ");
    EXPECT_EQ(status_.back(), U("操作完成 如需帮助，请按F1键"));
}

TEST_F(DataTidyTest, RepairSalvagesADamagedFile) {
    Insert("ljth", {{{"零件名称", "刹车片"}, {"单价", "12.5"}, {"日期", "2024-02-29"}, {"no", "1"}},
                    {{"零件名称", "机油"}, {"单价", "-0.25"}, {"数量", "3"}, {"no", "2"}},
                    {{"零件名称", "滤芯"}, {"no1", "300"}, {"no", "3"}},
                    {{"零件名称", "雨刮"}, {"no", "4"}}});
    CDataSet().UpdateWhere("ljth", U("客户"), "O'Brien", "no=2");
    std::string bytes = PlainCopy("ljth");
    const size_t header = HeaderLength(bytes), length = RecordLength(bytes);
    const size_t price = bytes.find("-0.25");
    ASSERT_NE(price, std::string::npos);
    bytes.replace(price, 5, "-0#25");  // a garbled number stays empty
    bytes[header] = '*';               // first record deleted
    bytes[header + 3 * length] = '\0'; // last record blanked by a crash
    bytes[4] = 9;                      // the header claims records the file lacks
    Write(Working("ljth.dbf"), bytes);
    EXPECT_THROW(foxdb::DbfTable::Open(Working("ljth.dbf")), foxdb::Error);
    platform::ScriptedMessageBoxes boxes;
    EXPECT_TRUE(CDataTidy(*frame_).Repair("ljth"));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"操作完成 "});
    const wxString ordered = "select * from ljth order by no";
    EXPECT_EQ(Column(ordered, "no"), (Texts{"1", "2", "3"}));
    EXPECT_EQ(Column(ordered, U("零件名称")), (Texts{U("机油"), U("滤芯"), "NULL"}));
    EXPECT_EQ(Column(ordered, U("单价")), (Texts{"NULL", "NULL", "NULL"}));
    EXPECT_EQ(Column(ordered, U("客户")), (Texts{"O'Brien", "NULL", "NULL"}));
    EXPECT_EQ(Column(ordered, U("数量")), (Texts{"3", "NULL", "NULL"}));
    EXPECT_EQ(Column(ordered, "no1"), (Texts{"NULL", "300", "NULL"}));
    EXPECT_TRUE(WorkingCopies().empty());
    EXPECT_TRUE(Staged().empty());
}

TEST_F(DataTidyTest, RepairOfAReadableTableKeepsEveryValue) {
    Insert("ljth", {{{"零件名称", "前刹车片（原厂）"},
                     {"单价", "1234.5"},
                     {"日期", "2024-02-29"},
                     {"no", "7"}}});
    platform::ScriptedMessageBoxes boxes;
    EXPECT_TRUE(CDataTidy(*frame_).Repair("ljth"));
    EXPECT_EQ(Column("select * from ljth", U("单价")), Texts{"1234.5"});
    EXPECT_EQ(Column("select * from ljth", U("日期")), Texts{"2024-02-29"});
    EXPECT_EQ(Column("select * from ljth", U("零件名称")), Texts{U("前刹车片（原厂）")});

    // An empty table comes back empty and in place.
    EXPECT_TRUE(CDataTidy(*frame_).Repair("gk"));
    EXPECT_EQ(Column("select * from gk", "no"), Texts{});
    EXPECT_TRUE(platform::FileExists(SetFile("gk.dwf")));
}

TEST_F(DataTidyTest, RepairOfAnUnreadableFileLeavesIt) {
    Insert("ljth", {{{"零件名称", "一"}, {"no", "1"}}});
    std::string garbled = PlainCopy("ljth");
    garbled.resize(20); // not even a whole header
    Write(Working("ljth.dbf"), garbled);
    platform::ScriptedMessageBoxes boxes;
    EXPECT_FALSE(CDataTidy(*frame_).Repair("ljth"));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"数据表文件损坏太重，无法修复。"});
    EXPECT_EQ(Read(Working("ljth.dbf")), garbled);
    EXPECT_TRUE(Staged().empty());
}

TEST_F(DataTidyTest, RepairThatCannotWriteLeavesTheDamagedFile) {
    Insert("ljth", {{{"零件名称", "一"}, {"no", "1"}}, {{"零件名称", "二"}, {"no", "2"}}});
    std::string bytes = PlainCopy("ljth");
    bytes[4] = 9;
    Write(Working("ljth.dbf"), bytes);
    platform::ScriptedMessageBoxes boxes;
    {
        FileSizeLimit full(bytes.size() / 2); // the disk fills while the new table is written
        EXPECT_FALSE(CDataTidy(*frame_).Repair("ljth"));
    }
    EXPECT_EQ(Read(Working("ljth.dbf")), bytes);
    EXPECT_TRUE(Staged().empty());
    EXPECT_FALSE(boxes.Texts().empty());
}

TEST_F(DataTidyTest, RebuildDropsDeletedRowsAndOldColumnWidths) {
    CreatePlainTable(CTableCatalog().GetCreateSql("fieldlong"));
    frame_->EncryptAllTables();
    InsertDated();
    CDataSet().DeleteWhere("ljth", "no=2");
    platform::ScriptedMessageBoxes boxes;
    CDataTidy tidy(*frame_);
    // A working copy left behind holds the latest change; the rebuild keeps it.
    PlainCopy("ljth");
    {
        foxdb::TableEdit edit(Working("ljth.dbf"));
        ASSERT_EQ(edit.Table().RecordCount(), 4u); // 四 is the last record
        edit.Update(4, edit.Table().FieldIndex("零件名称"),
                    foxdb::Value(platform::Utf8ToGbk("五")));
        edit.Commit();
    }
    EXPECT_TRUE(tidy.RebuildOne("ljth"));
    EXPECT_EQ(Names(), (Texts{U("一"), U("三"), U("五")}));
    EXPECT_EQ(Column("select * from ljth order by no", "no"), (Texts{"1", "2", "3"}));
    EXPECT_FALSE(tidy.RebuildOne("kzk")); // never rebuilt
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"操作完成 ", "该数据库不需要整理。"}));

    const wxString old = wxDateTime::Today().Subtract(wxDateSpan::Days(721)).Format("%Y-%m-%d");
    const wxString recent = wxDateTime::Today().Subtract(wxDateSpan::Days(30)).Format("%Y-%m-%d");
    Insert("fieldlong",
           {{{"no", "1"}, {"n39", "0"}}, {{"no", "2"}, {"n39", "0"}}, {{"no", "3"}, {"n39", "1"}}});
    CDataSet().UpdateWhere("fieldlong", "n40", old, "no<>2");
    CDataSet().UpdateWhere("fieldlong", "n40", recent, "no=2");
    boxes.Clear();
    boxes.Reply(platform::IDNO);
    EXPECT_FALSE(tidy.RebuildAll());
    EXPECT_EQ(Column("select * from fieldlong", "no").size(), 3u);
    EXPECT_TRUE(tidy.RebuildAll());
    EXPECT_EQ(Column("select * from fieldlong order by no", "n39"), (Texts{"0", "1"}));
    EXPECT_EQ(boxes.Texts().back(), "操作完成 ");
    EXPECT_TRUE(WorkingCopies().empty());
}

} // namespace
