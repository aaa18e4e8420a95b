#include "data/data_import.h"
#include "maintenance_fixture.h"

namespace {

class DataImportTest : public MaintenanceTest {
protected:
    void SetUp() override {
        MaintenanceTest::SetUp();
        Insert("ljkc", {{{"编号", "OLD"}, {"no", "1"}}});
        // A source table of another program, with its own "no" and "wx".
        platform::CreateFolders(Path("in"));
        Execute(Path("in"), {"CREATE TABLE src (no I, wx C(4), 编号 C(30), 零件名称 C(30), 数量 I)",
                             "INSERT INTO src VALUES (7, 'a', 'P1  ', '一', 2)",
                             "INSERT INTO src VALUES (8, 'b', 'P2', NULL, 5)"});
        ASSERT_TRUE(import_.OpenSource(U(Path("in/src.dbf").c_str())));
        ASSERT_TRUE(import_.OpenTarget(U(Path("Data/ljkc.dwf").c_str())));
    }
    static long Count(const ado::RecordsetPtr& rs) { return rs ? rs->RecordCount() : -1; }

    CDataImport import_;
    platform::ScriptedMessageBoxes boxes_;
};

TEST(DataImportLines, LinesNameTheFieldsAfterTheirLastDot) {
    EXPECT_EQ(CDataImport::TableName("/home/a.b/src.x.dbf"), "src");
    const wxString line = CDataImport::MappingLine("a.b", U("编号"), U("零件库存"), U("编号"));
    EXPECT_EQ(line, U("a.b.编号---->零件库存.编号"));
    EXPECT_EQ(CDataImport::MappedFields(line), std::make_pair(U("编号"), U("编号")));
    EXPECT_EQ(CDataImport::TargetCodes().size(), 28u);
    EXPECT_EQ(CDataImport::TargetCodes().back(), "kzk");
}

TEST_F(DataImportTest, FieldsOfTheSameNameArePairedButNoAndWx) {
    EXPECT_EQ(import_.TargetCode(), "ljkc");
    EXPECT_EQ(import_.MatchFields("src", U("零件库存")),
              (Texts{U("src.编号---->零件库存.编号"), U("src.零件名称---->零件库存.零件名称"),
                     U("src.数量---->零件库存.数量")}));
}

TEST_F(DataImportTest, ConfirmedRowsAreNumberedAndSavedCancelledOnesNever) {
    const std::vector<wxString> lines = import_.MatchFields("src", "t");
    ado::RecordsetPtr batch = import_.PrepareBatch(lines);
    ASSERT_EQ(Count(batch), 3); // the table's row, then the imported ones
    import_.Cancel(batch);
    EXPECT_EQ(Column("select * from ljkc order by no", U("编号")), Texts{"OLD"});

    // The next import stages afresh: no row of the first comes twice.
    batch = import_.PrepareBatch(lines);
    ASSERT_EQ(Count(batch), 3);
    EXPECT_TRUE(import_.Confirm(batch));
    EXPECT_EQ(Column("select * from ljkc order by no", U("编号")), (Texts{"OLD", "P1", "P2"}));
    EXPECT_EQ(Column("select * from ljkc order by no", "no"), (Texts{"1", "2", "3"}));
    EXPECT_EQ(Column("select * from ljkc order by no", U("数量")), (Texts{"NULL", "2", "5"}));
    // A null source value leaves the field as a new row has it.
    const Texts names = Column("select * from ljkc where no=3", U("零件名称"));
    ASSERT_EQ(names.size(), 1u);
    EXPECT_TRUE(names[0] == "NULL" || names[0].empty()) << names[0];
    EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{"操作已取消!", "操作完成 "}));
    EXPECT_TRUE(WorkingCopies().empty());
}

TEST_F(DataImportTest, TheLaterOfTwoLinesToOneFieldWins) {
    ado::RecordsetPtr batch =
        import_.PrepareBatch({CDataImport::MappingLine("s", U("编号"), "t", U("编号")),
                              CDataImport::MappingLine("s", U("零件名称"), "t", U("编号"))});
    ASSERT_EQ(Count(batch), 3);
    ASSERT_TRUE(import_.Confirm(batch));
    EXPECT_EQ(Column("select * from ljkc order by no", U("编号")), (Texts{"OLD", U("一"), "P2"}));
}

TEST_F(DataImportTest, LinesThatAreMissingOrNameNoFieldImportNothing) {
    const char* incomplete = "选择或输入内容不对或不完整！无法完成操作。";
    EXPECT_FALSE(import_.PrepareBatch({}));
    EXPECT_FALSE(import_.PrepareBatch({CDataImport::MappingLine("s", U("颜色"), "t", U("编号"))}));
    EXPECT_FALSE(import_.PrepareBatch({CDataImport::MappingLine("s", U("编号"), "t", U("颜色"))}));
    EXPECT_FALSE(import_.PrepareBatch({U("编号")}));
    EXPECT_EQ(boxes_.Texts(), std::vector<std::string>(4, incomplete));
    EXPECT_EQ(Column("select * from ljkc", U("编号")), Texts{"OLD"});
}

} // namespace
