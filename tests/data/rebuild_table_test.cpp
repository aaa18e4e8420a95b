#include "maintenance_fixture.h"

TEST_F(MaintenanceTest, MissingTableIsCreatedEmptyAndEncrypted) {
    platform::ScriptedMessageBoxes boxes;
    ASSERT_FALSE(platform::FileExists(SetFile("hy.dwf")));
    EXPECT_TRUE(Rebuild("hy"));
    EXPECT_TRUE(platform::FileExists(SetFile("hy.dwf")));
    EXPECT_EQ(Column("select * from hy", "no"), Texts{});
    EXPECT_EQ(FieldNames("hy").back(), "no");
    EXPECT_TRUE(WorkingCopies().empty());
    EXPECT_TRUE(Staged().empty());
    EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(MaintenanceTest, ReturnsKeepNo1AndAreRenumberedInRecordOrder) {
    Insert("ljth", {{{"零件名称", "刹车片"}, {"no", "7"}, {"no1", "100"}, {"单价", "12.5"}},
                    {{"零件名称", "机油"}, {"no", "3"}, {"no1", "200"}, {"日期", "2024-02-29"}},
                    {{"零件名称", "滤芯"}, {"no", "12"}, {"no1", "300"}}});
    CDataSet deleted;
    deleted.DeleteWhere("ljth", "no=3"); // marked only; the rebuild leaves it out
    Insert("ljth", {{{"零件名称", "雨刮"}, {"no", "40"}, {"no1", "400"}}});

    EXPECT_TRUE(Rebuild("ljth"));
    const wxString ordered = "select * from ljth order by no";
    EXPECT_EQ(Column(ordered, "no"), (Texts{"1", "2", "3"}));
    EXPECT_EQ(Column(ordered, "no1"), (Texts{"100", "300", "400"}));
    EXPECT_EQ(Column(ordered, U("零件名称")), (Texts{U("刹车片"), U("滤芯"), U("雨刮")}));
    EXPECT_EQ(Column(ordered, U("单价")), (Texts{"12.5", "NULL", "NULL"}));
    EXPECT_TRUE(WorkingCopies().empty());
    EXPECT_TRUE(Staged().empty());
    EXPECT_EQ(status_.front(), U("正在处理数据..."));
    EXPECT_EQ(status_.back(), "");
}

TEST_F(MaintenanceTest, RebuiltRowsKeepEveryValue) {
    Insert("ljth", {{{"零件名称", "前刹车片（原厂）"},
                     {"客户", "长春市汽车修理厂"},
                     {"单价", "1234.5"},
                     {"进价", "-0.25"},
                     {"数量", "-3"},
                     {"日期", "2024-02-29"},
                     {"补发日期", ""},
                     {"no1", "0"},
                     {"no", "1"}},
                    {{"零件名称", "  空格 在前"}, {"单价", "0"}, {"no", "2"}},
                    {{"备注", "A-1/B"}, {"退出日期", "1000-01-01"}, {"no", "3"}},
                    {{"no", "4"}}});
    // Typed input may hold no quote, but a stored text can; a rebuild keeps it.
    CDataSet().UpdateWhere("ljth", U("客户"), "O'Brien", "no=4");
    const wxString ordered = "select * from ljth order by no";
    std::vector<Texts> before;
    for (const wxString& field : FieldNames("ljth"))
        before.push_back(Column(ordered, field));

    platform::ScriptedMessageBoxes boxes;
    EXPECT_TRUE(Rebuild("ljth"));
    EXPECT_TRUE(boxes.Texts().empty());
    std::vector<Texts> after;
    for (const wxString& field : FieldNames("ljth"))
        after.push_back(Column(ordered, field));
    EXPECT_EQ(after, before);
    EXPECT_EQ(Column(ordered, U("补发日期")), (Texts{"0:00:00", "NULL", "NULL", "NULL"}));
    EXPECT_EQ(Column(ordered, U("进价")), (Texts{"-0.25", "NULL", "NULL", "NULL"}));
    EXPECT_EQ(Column(ordered, U("客户")).back(), "O'Brien");
}

TEST_F(MaintenanceTest, FieldsFollowTheCatalogue) {
    // An older layout: 备注 missing, a field the catalogue no longer has, 数量 as text.
    ReplaceTable("ljkc", U("CREATE TABLE ljkc(零件名称 C(30),编号 C(30),数量 I,旧货位 C(10),"
                           "日期 D,no I UNIQUE)"));
    Insert("ljkc",
           {{{"零件名称", "刹车片"}, {"编号", "A1"}, {"数量", "5"}, {"旧货位", "K1"}, {"no", "1"}},
            {{"零件名称", "机油"}, {"编号", "B2"}, {"数量", "-2"}, {"no", "2"}}});
    EXPECT_TRUE(Rebuild("ljkc"));

    EXPECT_EQ(FieldNames("ljkc").size(), 16u);
    EXPECT_EQ(Column("select * from ljkc order by no", U("编号")), (Texts{"A1", "B2"}));
    EXPECT_EQ(Column("select * from ljkc order by no", U("数量")), (Texts{"5", "-2"}));
    EXPECT_EQ(Column("select * from ljkc order by no", U("备注")), (Texts{"NULL", "NULL"}));
    EXPECT_EQ(Column("select * from ljkc order by no", U("零售价")), (Texts{"NULL", "NULL"}));
    const Texts names = FieldNames("ljkc");
    EXPECT_EQ(std::find(names.begin(), names.end(), U("旧货位")), names.end());
}

TEST_F(MaintenanceTest, EmptyTableIsRebuiltEmpty) {
    EXPECT_TRUE(Rebuild("gk"));
    EXPECT_EQ(Column("select * from gk", "no"), Texts{});
    EXPECT_TRUE(platform::FileExists(SetFile("gk.dwf")));
    EXPECT_TRUE(WorkingCopies().empty());
}

TEST_F(MaintenanceTest, AllTablesAreRebuiltInTheListOrder) {
    Insert("ljkc", {{{"零件名称", "刹车片"}, {"no", "9"}}});
    Texts encrypted;
    CMaintenanceFiles::Current().encrypt = [&encrypted](const wxString& table) {
        encrypted.push_back(table);
        return CMaintenanceFiles::Platform().encrypt(table);
    };
    platform::ScriptedMessageBoxes boxes;
    EXPECT_TRUE(RebuildAllTables());
    EXPECT_TRUE(boxes.Texts().empty());

    const Texts order = {"dhd",   "hyxm", "gk",    "ljkc", "ljml", "ljth",     "ljsh",
                         "jgk",   "zyxm", "wlkf",  "gys",  "wlzm", "wxxm",     "ygk",
                         "gdxm",  "blp",  "byxmb", "hy",   "jjl",  "hyzl",     "jhda",
                         "bdzxm", "tmlj", "jmb",   "LJDB", "tpk",  "fieldlong"};
    EXPECT_EQ(encrypted, order);
    for (const wxString& table : order)
        EXPECT_TRUE(platform::FileExists(SetFile((table + ".dwf").utf8_string()))) << table;
    for (const char* never : {"gdzc", "kzk", "ljzc", "qvpy"})
        EXPECT_TRUE(platform::FindFileNoCase(Path("Data"), std::string(never) + ".dwf").empty());
    EXPECT_EQ(Column("select * from ljkc", "no"), Texts{"1"});
    EXPECT_EQ(status_.front(), U("正在处理数据..."));
    EXPECT_EQ(status_.back(), U("操作完成 如需帮助，请按F1键"));
    EXPECT_TRUE(WorkingCopies().empty());
    EXPECT_TRUE(Staged().empty());
}
