// The driver's semantics: typed result columns, blanks, NULLs, GBK order, LIKE,
// empty dates, grouping, deleted records, and the changes statements make.
#include "foxdb/sql_fixture.h"
#include "foxdb/table_files.h"

namespace foxdb_test {
namespace {

using foxdb::Date;
using foxdb::Value;

class SqlSemantics : public SqlTest {
protected:
    void SetUp() override {
        SqlTest::SetUp();
        CreateCatalogTables();
        InsertSampleRows();
    }
    std::vector<std::string> Column(const std::string& statement, size_t column = 0) {
        std::vector<std::string> out;
        for (const auto& row : Query(statement).rows)
            out.push_back(foxdb::IsNull(row[column]) ? "NULL" : Utf8(row[column]));
        return out;
    }
    size_t Count(const std::string& statement) { return Query(statement).rows.size(); }
};

TEST_F(SqlSemantics, EveryResultColumnCarriesItsAdoShape) {
    struct Case {
        const char* expression;
        int type, size, precision, scale;
    } cases[] = {
        {"客户", 129, 40, 255, 255},
        {"单价", 131, 10, 8, 2},
        {"数量", 3, 4, 10, 0},
        {"日期", 133, 6, 10, 255},
        {"数量*单价", 131, 20, 18, 2},
        {"数量-数量", 3, 4, 10, 0},
        {"ALLTRIM(客户)", 129, 40, 255, 255},
        {"LEFT(客户,4)", 129, 4, 255, 255},
        {"{^2024-12-31}-日期", 3, 4, 10, 0},
        {"日期+1", 133, 6, 10, 255},
        {"单价>0", 11, 2, 255, 255},
        {"sum(单价)", 131, 22, 20, 2},
        {"sum(数量)", 20, 8, 19, 0},
        {"count(*)", 3, 4, 10, 0},
        {"max(日期)", 133, 6, 10, 255},
        {"min(客户)", 129, 40, 255, 255},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expression);
        auto rs = Query(std::string("select ") + c.expression + " as x from ljsh");
        ASSERT_EQ(rs.columns.size(), 1u);
        EXPECT_EQ(rs.columns[0].name, "x");
        EXPECT_EQ(rs.columns[0].type, c.type);
        EXPECT_EQ(rs.columns[0].definedSize, c.size);
        EXPECT_EQ(rs.columns[0].precision, c.precision);
        EXPECT_EQ(rs.columns[0].scale, c.scale);
    }
    // An empty result still describes its columns.
    auto empty = Query("select 零售价 as 小计,no from ljkc where 编号='####Last####'");
    EXPECT_TRUE(empty.rows.empty());
    EXPECT_EQ(empty.columns[0].type, 131);
    EXPECT_EQ(empty.columns[1].name, "no");
}

TEST_F(SqlSemantics, PlainColumnsOfOneTableKeepTheirRecords) {
    auto rs = Query("select 项目名称,作业人员 as 业务,单价*2 from zyxm order by 项目名称");
    ASSERT_EQ(rs.rows.size(), 2u);
    EXPECT_EQ(rs.recnos, (std::vector<uint32_t>{1, 2})); // 机油 (ji) sorts before 刹车片 (sha)
    EXPECT_EQ(rs.columns[1].name, "业务");
    ASSERT_FALSE(rs.columns[1].baseTable.empty());
    EXPECT_EQ(rs.columns[1].baseField, 10); // 作业人员
    EXPECT_EQ(rs.columns[2].baseField, -1);
    EXPECT_EQ(rs.columns[2].name, "exp_3");
    // DISTINCT over rows holding the UNIQUE field changes nothing: still editable.
    EXPECT_EQ(Query("select distinct * from jgk").recnos.size(), 1u);
    EXPECT_TRUE(Query("select distinct 车型 from ljsh").recnos.empty());
    auto joined = Query("select gk.车型,ljsh.车型 from ljsh,gk where 车牌号码=客户");
    EXPECT_TRUE(joined.recnos.empty());
    EXPECT_EQ(joined.columns[0].name, "车型_a");
    EXPECT_EQ(joined.columns[1].name, "车型_b");
    EXPECT_EQ(joined.rows.size(), 2u);
}

TEST_F(SqlSemantics, TextComparesWithoutTrailingBlanksAndKeepsNullApart) {
    Run("insert into zyxm (客户,故障,no) values ('王','   ',3)"); // blank, not NULL
    Run("insert into zyxm (客户,no) values ('赵',4)");            // 故障 NULL
    EXPECT_EQ(Column("select 客户 from zyxm where 故障=''"),
              (std::vector<std::string>{"京A12345", "王"}));
    EXPECT_EQ(Column("select 客户 from zyxm where 故障 IS NULL"), std::vector<std::string>{"赵"});
    EXPECT_EQ(Count("select * from zyxm where 故障!='M_WX_GQ'"), 2u); // NULL is not unequal
    EXPECT_EQ(Count("select * from ljkc where 车型='桑塔纳   '"), 1u);
    EXPECT_EQ(Count("select * from ljkc where 车型='桑塔'"), 0u); // no prefix match
    EXPECT_EQ(Count("select * from ljkc where 车型#'桑塔纳'"), 1u);
    EXPECT_EQ(Count("select * from ljkc where 车型=='桑塔纳'"), 1u);
    EXPECT_EQ(Count("select * from ljkc where '塔纳' $ 车型"), 1u);
    // Joins of fields of different widths match on the text.
    EXPECT_EQ(Count("select * from ljsh,gk where 车牌号码=客户"), 2u);
    // NOT IN with a NULL in the list gives no row, as in SQL.
    Run("insert into ljkc (编号,no) values ('C1',3)");
    EXPECT_EQ(Count("select * from jjl where 零件名称 not in(select 零件名称 from ljkc)"), 0u);
    EXPECT_EQ(Count("select * from jjl where 编号 not in(select 编号 from ljkc)"), 1u);
}

TEST_F(SqlSemantics, TextSortsInGbkOrderAndLikeIsCaseSensitive) {
    Run("insert into ygk (姓名,no) values ('张三',2)");
    Run("insert into ygk (姓名,no) values ('阿强',3)");
    Run("insert into ygk (姓名,no) values ('李四',4)");
    Run("insert into ygk (姓名,no) values ('Zed',5)");
    EXPECT_EQ(Column("select 姓名 from ygk order by 姓名"),
              (std::vector<std::string>{"Zed", "阿强", "李四", "王五", "张三"}));
    EXPECT_EQ(Column("select 姓名 from ygk order by 1 desc")[0], "张三");
    EXPECT_EQ(Column("select 姓名 from ygk where 姓名 like 'z%'"), std::vector<std::string>{});
    EXPECT_EQ(Column("select 姓名 from ygk where 姓名 like 'Z%'"), std::vector<std::string>{"Zed"});
    EXPECT_EQ(Column("select 姓名 from ygk where 姓名 like '%四'"),
              std::vector<std::string>{"李四"});
    EXPECT_EQ(Column("select 姓名 from ygk where 姓名 like '张_'"),
              std::vector<std::string>{"张三"});
    EXPECT_EQ(Count("select * from ygk where 姓名 like '%%'"), 5u);
    // A trail byte that looks like a letter is not a match ("乙" is B0 A1, "丒" is 81 41).
    Run("insert into ygk (姓名,no) values ('丒',6)");
    EXPECT_EQ(Count("select * from ygk where 姓名 like '%A%'"), 0u);
}

TEST_F(SqlSemantics, EmptyDatesAreLowestAndComeBackAsDayZero) {
    auto rs = Query("select 车牌号码,生日 from gk order by 生日");
    ASSERT_EQ(rs.rows.size(), 2u);
    EXPECT_EQ(Utf8(rs.rows[0][0]), "京B67890");
    EXPECT_EQ(std::get<Date>(rs.rows[0][1]).julianDay, 0);
    EXPECT_EQ(Column("select 车牌号码 from gk where NOT(生日={^//})"),
              std::vector<std::string>{"京A12345"});
    EXPECT_EQ(Count("select * from gk where 生日<{^1900-01-01}"), 1u);
    auto days = Query("select {^2024-12-31}-日期 as d from ljsh where 单据号='D001'");
    EXPECT_EQ(std::get<int64_t>(days.rows[0][0]), 356);
}

TEST_F(SqlSemantics, GroupsComeInKeyOrderWithBareColumnsFromTheLastRecord) {
    auto rs = Query("select 客户,码表,sum(数量) as 数量,count(*) from ljsh group by 客户");
    ASSERT_EQ(rs.rows.size(), 2u);
    EXPECT_EQ(Utf8(rs.rows[0][0]), "京A12345");         // 京 (jing) before 李 (li)
    EXPECT_EQ(std::get<int64_t>(rs.rows[0][1]), 15000); // the later record's 码表
    EXPECT_EQ(std::get<int64_t>(rs.rows[0][2]), 3);
    EXPECT_EQ(std::get<int64_t>(rs.rows[0][3]), 2);
    // WHERE written after GROUP BY, and HAVING with a bare column.
    EXPECT_EQ(Column("select 类别,sum(金额) as 金额,单位 from wlzm group by 单位,类别 where "
                     "单位='李四修理厂'",
                     2),
              std::vector<std::string>{"李四修理厂"});
    EXPECT_EQ(Count("select 客户 from ljsh group by 客户 having count(*)>1"), 1u);
    // HAVING sees the output: 数量 is the sum here, not the last record's 数量.
    EXPECT_EQ(Count("select 客户,sum(数量) as 数量 from ljsh group by 客户 having 数量>=3"), 2u);
    // ORDER BY by an alias, written before WHERE.
    EXPECT_EQ(Column("select 客户,count(*) as 次数 from ljsh group by 客户 order by 次数 desc"),
              (std::vector<std::string>{"京A12345", "李四修理厂"}));
    EXPECT_EQ(Column("select 客户 from ljsh order by 日期 where flag='W'"),
              (std::vector<std::string>{"京A12345", "京A12345"}));
}

TEST_F(SqlSemantics, AliasesNeverHideTheColumnsTheyRename) {
    Run("insert into zyxm (单价,折扣,进价,数量,客户,no) values (80,90,60,2,'甲',3)");
    auto rs =
        Query("select (单价*折扣*0.01) as 单价,(单价*折扣*0.01-进价)*数量 as 毛利,单价 as 零售价,"
              "单价 as 批发价 from zyxm where no=3");
    ASSERT_EQ(rs.rows.size(), 1u);
    EXPECT_DOUBLE_EQ(std::get<double>(rs.rows[0][0]), 72);
    EXPECT_DOUBLE_EQ(std::get<double>(rs.rows[0][1]), 24);
    EXPECT_DOUBLE_EQ(std::get<double>(rs.rows[0][2]), 80);
    EXPECT_DOUBLE_EQ(std::get<double>(rs.rows[0][3]), 80);
    EXPECT_EQ(rs.columns[2].baseField, rs.columns[3].baseField);
    // WHERE binds the table's column, not the alias of another one.
    EXPECT_EQ(Count("select 客户 as 车牌号码 from ljsh,gk where 车牌号码=客户"), 2u);
    // Local table aliases, and a self join.
    EXPECT_EQ(
        Count("select a.客户 from ljsh a, ljsh AS b where a.单据号=b.单据号 and a.编号<>'B1'"), 2u);
    auto sums = Query("select 编号,sum(数量) as 数量 from ljsh group by 编号 order by 数量 desc");
    EXPECT_EQ(Utf8(sums.rows[0][0]), "B1");
    EXPECT_EQ(std::get<int64_t>(sums.rows[0][1]), 4);
}

TEST_F(SqlSemantics, DeletedRecordsAreInvisibleEverywhere) {
    EXPECT_EQ(Run("DELETE FROM ljsh WHERE 单据号='D002'"), 1);
    EXPECT_EQ(Count("select * from ljsh"), 2u);
    EXPECT_EQ(Count("select * from ljsh,gk where 车牌号码=客户"), 1u);
    EXPECT_EQ(Count("select * from gk where 车牌号码 in(select 客户 from ljsh)"), 1u);
    EXPECT_EQ(Run("DELETE FROM ljsh WHERE 单据号='D002'"), 0);
}

TEST_F(SqlSemantics, WholeTablesReadAsTheStatementEngineReadsThem) {
    // "select *" reads the records directly; given one more computed column, every
    // value goes through SQLite.
    foxdb::CreateTable(folder.Path(), "t",
                       foxdb::ParseFieldList("(名称 C(10),amt N(8,2),qty I,d D,no I UNIQUE)"));
    {
        foxdb::TableEdit edit(folder.File("t.dbf"));
        edit.Append({Gbk("机油"), 12.345, int64_t(-3), foxdb::Date{2460000}, int64_t(1)});
        edit.Append({std::string("ab\0 \0", 5), -0.005, foxdb::Null{}, foxdb::Date{}, int64_t(2)});
        edit.Append({foxdb::Null{}, foxdb::Null{}, int64_t(7), foxdb::Null{}, int64_t(3)});
        edit.Append({std::string(10, ' '), 1e6, int64_t(0), foxdb::Date{2415019}, int64_t(4)});
        edit.Append({Gbk("已删除"), 1.0, int64_t(1), foxdb::Date{}, int64_t(5)});
        edit.Delete(5);
        edit.Commit();
    }
    const foxdb::ResultSet direct = Query("select * from t");
    foxdb::ResultSet engine = Query("select *,0 as zz from t");
    engine.columns.pop_back();
    for (auto& row : engine.rows)
        row.pop_back();
    ASSERT_EQ(direct.rows.size(), 4u);
    EXPECT_EQ(direct.rows, engine.rows);
    EXPECT_EQ(direct.recnos, engine.recnos);
    EXPECT_EQ(direct.table, engine.table);
    ASSERT_EQ(direct.columns.size(), engine.columns.size());
    for (size_t i = 0; i < direct.columns.size(); ++i) {
        EXPECT_EQ(direct.columns[i].name, engine.columns[i].name);
        EXPECT_EQ(direct.columns[i].type, engine.columns[i].type);
        EXPECT_EQ(direct.columns[i].baseField, engine.columns[i].baseField);
    }
}

TEST_F(SqlSemantics, ChangesConvertQuotedValuesByTheFieldType) {
    EXPECT_EQ(Run("UPDATE ljkc SET 零售价 ='61.5' WHERE 编号='A1'"), 1);
    EXPECT_EQ(Run("UPDATE ljkc SET 数量 ='9'"), 2);
    EXPECT_EQ(Run("UPDATE jhda SET 日期 ='2024-05-06' WHERE 入库单='R1'"), 1);
    EXPECT_EQ(Run("UPDATE gk SET 标致 ='' WHERE no=1"), 1);
    auto rs = Query("select 零售价,数量 from ljkc where 编号='A1'");
    EXPECT_DOUBLE_EQ(std::get<double>(rs.rows[0][0]), 61.5);
    EXPECT_EQ(std::get<int64_t>(rs.rows[0][1]), 9);
    EXPECT_EQ(std::get<Date>(Query("select 日期 from jhda").rows[0][0]).julianDay,
              foxdb::JulianDayFromCivil(2024, 5, 6));
    EXPECT_EQ(Column("select 标致 from gk where no=1"), std::vector<std::string>{""});
    // A value computed from the row.
    EXPECT_EQ(Run("UPDATE ljkc SET 代理价 =进价*2 WHERE 编号='B1'"), 1);
    EXPECT_DOUBLE_EQ(std::get<double>(Query("select 代理价 from ljkc where 编号='B1'").rows[0][0]),
                     120);

    EXPECT_EQ(Run("CREATE TABLE Extra (名称 C(10), 金额 N(8,2), no I UNIQUE)"), 0);
    EXPECT_EQ(Run("INSERT INTO extra VALUES ('一', 1.25, 1)"), 1);
    EXPECT_EQ(Count("select * from EXTRA"), 1u);
    auto names = db->TableNames();
    EXPECT_NE(std::find(names.begin(), names.end(), "Extra"), names.end());
    EXPECT_EQ(Run("DROP TABLE extra"), 0);
    EXPECT_THROW(Query("select * from extra"), foxdb::Error);
}

// An equality on a field with an index tag is sought in the table's own index;
// what it cannot answer exactly, and an index that no longer fits its table, fall
// back to reading every record, so the rows are the same either way.
// A text constant compared with a field is met on the record's bytes during the scan;
// the rows are those of the comparison SQLite makes on the whole value.
TEST_F(SqlSemantics, TextEqualitiesMetOnTheRecordGiveTheRowsOfAFullCompare) {
    const std::string full(40, 'A');
    for (const std::string& row :
         std::vector<std::string>{"'张三',10", "'张三   ',11", "'zhang',12", "'ZHANG',13",
                                  "NULL,14", "'张三丰',15", "'   ',16", "'" + full + "',17"})
        Run("insert into zyxm (客户,no) values (" + row + ")");
    Run("insert into zyxm (客户,no) values ('张三',18)");
    Run("delete from zyxm where no=18");
    const struct {
        std::string value;
        size_t rows;
    } cases[] = {{"'张三'", 2},          {"'张三  '", 2}, {"'张'", 0},        {"'zhang'", 1},
                 {"'Zhang'", 0},         {"'张三丰'", 1}, {"''", 1},          {"'" + full + "'", 1},
                 {"'" + full + "A'", 0}, {"NULL", 0},     {"'***Last***'", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(Count("select * from zyxm where 客户=" + c.value), c.rows);
        EXPECT_EQ(Count("select * from zyxm where " + c.value + "=客户"), c.rows);
        // The same comparison on a computed value, which no scan can meet early.
        EXPECT_EQ(Count("select * from zyxm where 客户+''=" + c.value), c.rows);
    }
    EXPECT_EQ(Count("select * from zyxm where 客户='张三' and 故障 is null"), 2u);
}

TEST_F(SqlSemantics, EqualitiesSoughtInTheTableIndexGiveTheRowsOfAScan) {
    {
        foxdb::TableEdit edit(foxdb::FindTableFile(folder.Path(), "ljkc"));
        const foxdb::DbfTable& t = edit.Table();
        for (int n = 4; n <= 3000; ++n) {
            std::vector<Value> record(t.Fields().size(), foxdb::Null{});
            record[t.FieldIndex("数量")] = int64_t(n % 10);
            record[t.FieldIndex("no")] = int64_t(n);
            edit.Append(record);
        }
        edit.Commit();
    }
    const struct {
        const char* where;
        size_t rows;
    } cases[] = {{"no=2", 1},    {"no=2999", 1},         {"no=3001", 0},
                 {"no=0", 0},    {"no=2.5", 0},          {"no=2.0", 1},
                 {"no=NULL", 0}, {"no=-7", 0},           {"no=3000000000", 0},
                 {"2=no", 1},    {"no=1 or no=1500", 2}, {"no in (5,6,7,6)", 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        EXPECT_EQ(Count(std::string("select * from ljkc where ") + c.where), c.rows);
    }
    // Changes to other fields are written in place; the index still answers.
    EXPECT_EQ(Run("update ljkc set 数量=99 where no=1500"), 1);
    EXPECT_EQ(Count("select * from ljkc where no=1500 and 数量=99"), 1u);
    Run("delete from ljkc where no=1500");
    EXPECT_EQ(Count("select * from ljkc where no=1500"), 0u);
    // An index from another time beside the table (it travelled apart): the rows
    // still come from the records.
    const std::string cdx = foxdb::IndexPathFor(foxdb::FindTableFile(folder.Path(), "ljkc"));
    const std::string current = ReadBytes(cdx);
    Run("update ljkc set no=no+100000 where no>=1000");
    const std::string moved = ReadBytes(cdx);
    WriteBytes(cdx, current);
    db = std::make_unique<foxdb::Database>(folder.Path());
    EXPECT_EQ(Count("select * from ljkc where no=2000"), 0u);
    EXPECT_EQ(Count("select * from ljkc where no=102000"), 1u);
    EXPECT_NE(moved, current);
}

} // namespace
} // namespace foxdb_test
