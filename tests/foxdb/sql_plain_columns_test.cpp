// Statements whose columns are all plain fields of one table take their values from
// the records, SQLite only choosing the records and their order (or, sorted by plain
// fields, only the records, sorted by their keys afterwards). Each is compared
// with the same statement given one more computed column, which SQLite computes
// whole: rows, order, values, types, record numbers and column shapes must agree.
#include "foxdb/sql_fixture.h"
#include "foxdb/sql_vtab.h"
#include "foxdb/transaction.h"

namespace foxdb_test {
namespace {

using foxdb::Date;
using foxdb::Null;
using foxdb::Value;

class SqlPlainColumns : public SqlTest {
protected:
    // 40 records of few distinct keys (sorts meet many ties), GBK text with blanks and
    // NULs, NULL in every nullable field, numbers with scale, empty dates, and
    // deleted records at both ends and in between.
    void SetUp() override {
        SqlTest::SetUp();
        foxdb::CreateTable(
            folder.Path(), "t",
            foxdb::ParseFieldList(
                "(名称 C(10),类 C(4),amt N(8,2),rate N(6,3),qty I,d D,no I UNIQUE)"));
        const std::vector<std::string> names = {
            Gbk("机油"), Gbk("刹车片"),        Gbk("机油滤"),  "ab",
            "AB  ",      std::string(10, ' '), Gbk("轮胎 油"), std::string("ab\0 \0", 5),
            Gbk("油")};
        const char* const kinds[] = {"P", "W", "PW", " P"};
        foxdb::TableEdit edit(folder.File("t.dbf"));
        for (int i = 1; i <= 40; ++i) {
            std::vector<Value> record(7, Null{});
            if (i % 7 != 0) record[0] = names[static_cast<size_t>(i) % names.size()];
            if (i % 9 != 0) record[1] = std::string(kinds[i % 4]);
            if (i % 6 != 0) record[2] = (i % 5) * 1.255 - 2;
            record[3] = i % 11 == 0 ? Value{Null{}} : Value{-0.0005 * i};
            if (i % 5 != 0) record[4] = int64_t(i % 4 - 1);
            if (i % 9 != 0) record[5] = i % 4 == 0 ? Date{} : Date{2460000 + i % 3};
            record[6] = int64_t(i);
            edit.Append(record);
        }
        for (uint32_t recno : {1u, 8u, 16u, 17u, 40u})
            edit.Delete(recno);
        edit.Commit();
    }

    // The statement with one more column that SQLite computes, "0 as zz" before the
    // first " from ".
    foxdb::ResultSet ThroughSqlite(const std::string& statement) {
        const size_t from = statement.find(" from ");
        return Query(statement.substr(0, from) + ",0 as zz" + statement.substr(from));
    }

    void ExpectAsSqlite(const std::string& statement, size_t rows) {
        SCOPED_TRACE(statement);
        const foxdb::ResultSet read = Query(statement);
        const foxdb::ResultSet computed = ThroughSqlite(statement);
        EXPECT_EQ(read.rows.size(), rows);
        ASSERT_EQ(read.columns.size() + 1, computed.columns.size());
        for (size_t i = 0; i < read.columns.size(); ++i) {
            const foxdb::ResultColumn &a = read.columns[i], &b = computed.columns[i];
            EXPECT_EQ(a.name, b.name);
            EXPECT_EQ(a.type, b.type);
            EXPECT_EQ(a.definedSize, b.definedSize);
            EXPECT_EQ(a.precision, b.precision);
            EXPECT_EQ(a.scale, b.scale);
            EXPECT_EQ(a.nullable, b.nullable);
            EXPECT_EQ(a.baseTable, b.baseTable);
            EXPECT_EQ(a.baseField, b.baseField);
        }
        ASSERT_EQ(read.rows.size(), computed.rows.size());
        for (size_t r = 0; r < read.rows.size(); ++r) {
            std::vector<Value> expected = computed.rows[r];
            expected.pop_back();
            EXPECT_EQ(read.rows[r], expected) << "row " << r;
        }
        EXPECT_EQ(read.recnos, computed.recnos);
        EXPECT_EQ(read.table, computed.table);
    }
};

TEST_F(SqlPlainColumns, GiveTheRowsSqliteGives) {
    const struct {
        std::string statement;
        size_t rows;
    } cases[] = {
        {"select * from t", 35},
        {"select no,名称,d from t", 35},
        {"select 名称 as n,amt as 金额,rate,no from t where qty>0", 16},
        {"select no from t where 类='P'", 6},
        {"select no,名称 from t where 类=' P'", 9},
        {"select 名称,no from t where 名称 like '%油%'", 14},
        {"select 名称,no from t where 名称 like '机%' and no<30", 7},
        {"select no,amt from t order by amt", 35},
        {"select no,amt,rate from t order by 2 desc", 35},
        {"select 名称 as n,no from t order by n desc,no", 35},
        {"select no,名称 from t order by qty*2,类 desc", 35},
        {"select no,d from t where d<{^2030-01-01} order by d,名称", 31},
        {"select 名称,no from t order by .T.", 35},
        {"select no from t where no>1000", 0},
        {"select 名称,名称,类 from t where qty is null", 7},
        {"select x.名称,x.no from t x where x.qty in (0,2) order by x.类", 14},
        {"select no,类 from t where no in (select no from t where amt>0) order by 类", 19},
        {"select qty,no from t having qty=1", 8},
        {"select no,类 from t where 类 is null or 名称=='ab' order by 名称", 10},
        // Sorted by the records' keys: ties, NULLs, text equal but for trailing NULs,
        // both directions, fields of every kind, records coming from an index.
        {"select no,名称 from t order by 名称,类 desc", 35},
        {"select 类,no from t order by 类 desc,qty,rate desc", 35},
        {"select no from t order by qty desc,d", 35},
        {"select no,d from t order by d desc,amt", 35},
        {"select no,类 from t where no>=3 and no<30 order by 类,d desc", 24},
        {"select no from t where 名称='ab' order by amt desc", 6},
    };
    for (const auto& c : cases)
        ExpectAsSqlite(c.statement, c.rows);
}

// The engine keeps the tables it read; a change made beside it (another engine, a
// direct edit) is seen by the next statement, and so is one made inside a transaction.
TEST_F(SqlPlainColumns, FollowChangesToTheTable) {
    const std::string statement = "select 名称,amt,no from t where qty>=0 order by amt desc";
    ExpectAsSqlite(statement, 22);
    foxdb::Database other(folder.Path());
    EXPECT_EQ(other.Execute("update t set amt=99.5,名称='新' where no=3"), 1);
    ExpectAsSqlite(statement, 22);
    {
        foxdb::TableEdit edit(folder.File("t.dbf"));
        edit.Append(
            {Gbk("后加"), std::string("P"), 7.0, Null{}, int64_t(2), Date{2460001}, int64_t(41)});
        edit.Delete(4);
        edit.Commit();
    }
    ExpectAsSqlite(statement, 23);

    foxdb::Transaction transaction(folder.Path());
    EXPECT_EQ(Run("update t set amt=amt+100,qty=5 where no<10"), 6);
    ExpectAsSqlite(statement, 24);
    EXPECT_EQ(Run("delete from t where no=41"), 1);
    ExpectAsSqlite(statement, 23);
    transaction.Rollback();
    ExpectAsSqlite(statement, 23);
}

// A number field holding what no number of its width can be (an exponent past
// the largest double, or no number at all) is left to SQLite's way for the whole
// statement.
TEST_F(SqlPlainColumns, ARecordTheRecordsCannotGiveFallsBackToSqlite) {
    std::string bytes = ReadBytes(folder.File("t.dbf"));
    const size_t header = static_cast<unsigned char>(bytes[8]) | bytes[9] << 8;
    const size_t length = static_cast<unsigned char>(bytes[10]) | bytes[11] << 8;
    const size_t amt = 1 + 10 + 4; // after the deletion flag, 名称 and 类
    bytes.replace(header + 6 * length + amt, 8, "   1e999");  // record 7
    bytes.replace(header + 21 * length + amt, 8, "     nan"); // record 22
    WriteBytes(folder.File("t.dbf"), bytes);
    ExpectAsSqlite("select amt,no from t where qty>=0", 22);
    ExpectAsSqlite("select * from t", 35);
    ExpectAsSqlite("select no from t order by amt desc,类", 35);
    const foxdb::ResultSet rs = Query("select amt,no from t where no=22");
    ASSERT_EQ(rs.rows.size(), 1u);
    EXPECT_TRUE(foxdb::IsNull(rs.rows[0][0])); // SQLite takes NaN for NULL
}

// SQLite's limits on a statement's columns still hold, though it reads none of them.
TEST_F(SqlPlainColumns, AStatementTooWideForSqliteIsRefusedAsBefore) {
    std::string wide = "select no";
    for (int i = 1; i < 1999; ++i)
        wide += ",no";
    EXPECT_EQ(Query(wide + " from t where qty=1").rows.size(), 8u);
    EXPECT_THROW(Query(wide + ",no from t where qty=1"), foxdb::Error);
    EXPECT_THROW(Query(wide + ",no from t"), foxdb::Error);
}

TEST(TrimmedLength, DropsTrailingBlanksAndNulsOnly) {
    using namespace std::string_literals;
    const struct {
        std::string text;
        size_t length;
    } cases[] = {
        {"", 0},
        {"        ", 0},
        {"\0 \0 \0 \0 \0 \0 \0 \0 "s, 0},
        {"ab", 2},
        {"ab\0 \0     "s, 2},
        {"a" + std::string(15, ' '), 1},
        {"a" + std::string(16, ' '), 1},
        {"a b\0c"s + std::string(9, '\0'), 5},
        {"12345678        ", 8},
        {"1234567 " + std::string(24, ' '), 7},
        {"\t" + std::string(8, ' '), 1},
        {Gbk("机油") + std::string(56, ' '), 4},
        {"\xA0\xA0\xA0\xA0\xA0\xA0\xA0\xA0", 8},
        {"\x40\x40\x40\x40\x40\x40\x40\x40\x20", 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(foxdb::sql::TrimmedLength(c.text), c.length);
    }
}

} // namespace
} // namespace foxdb_test
