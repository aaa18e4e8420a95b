// Failures are clear errors that change nothing; hostile text never runs a
// second statement.
#include "foxdb/sql_fixture.h"

#include <random>

namespace foxdb_test {
namespace {

using foxdb::ErrorKind;

// "term op term op ..." with `count` terms.
std::string Chain(const std::string& term, const std::string& op, int count) {
    std::string text = term;
    for (int i = 1; i < count; ++i)
        text += op + term;
    return text;
}

class SqlErrors : public SqlTest {
protected:
    void SetUp() override {
        SqlTest::SetUp();
        Run(CTableCatalog().GetCreateSql("gk").utf8_string());
        Run(CTableCatalog().GetCreateSql("ljkc").utf8_string());
        Run("insert into gk (车牌号码,来店里程,no) values ('京A1',100,1)");
        Run("insert into gk (车牌号码,来店里程,no) values ('京A2',200,2)");
    }
    // The error a statement gives; fails the test when there is none.
    foxdb::Error ErrorOf(const std::string& statement) {
        try {
            db->Execute(statement);
        } catch (const foxdb::Error& e) {
            return e;
        }
        ADD_FAILURE() << "no error for: " << statement;
        return foxdb::Error(ErrorKind::Other, "");
    }
    std::string Rows() {
        std::string out;
        for (const auto& row : Query("select 车牌号码,来店里程 from gk").rows)
            out += Utf8(row[0]) + "=" + std::to_string(std::get<int64_t>(row[1])) + ";";
        return out;
    }
};

TEST_F(SqlErrors, EachFailureIsAClearErrorAndChangesNothing) {
    struct Case {
        std::string statement;
        ErrorKind kind;
        const char* text; // part of the message
    } cases[] = {
        {"select * from xyz", ErrorKind::FileNotFound, "File 'xyz.dbf' does not exist."},
        {"DELETE FROM xyz WHERE no=1", ErrorKind::FileNotFound, "File 'xyz.dbf' does not exist."},
        {"select 无此列 from gk", ErrorKind::UnknownColumn, "Column '无此列' is not found"},
        {"select gk.no from gk,ljkc where no=1", ErrorKind::UnknownColumn, "ambiguous"},
        {"select * form gk", ErrorKind::Syntax, "near 'form' at position 10"},
        {"select * from gk where", ErrorKind::Syntax, "end of statement"},
        {"select * from gk where 车牌号码=1", ErrorKind::TypeMismatch, "type mismatch"},
        {"select * from gk where 来店日期>'2024'", ErrorKind::TypeMismatch, "type mismatch"},
        {"select sum(车牌号码) from gk", ErrorKind::TypeMismatch, "type mismatch"},
        {"select * from gk where sum(no)>1", ErrorKind::Syntax, "aggregate"},
        {"select nosuch(no) from gk", ErrorKind::Syntax, "not supported"},
        {"UPDATE gk SET 来店里程 ='many' WHERE no=1", ErrorKind::TypeMismatch, "many"},
        {"UPDATE gk SET 来店里程 =5, 无此列 ='x'", ErrorKind::UnknownColumn, "无此列"},
        {"UPDATE gk SET no =1", ErrorKind::Uniqueness, "Uniqueness of index NO is violated."},
        {"insert into gk (车牌号码,no) values ('京A3',2)", ErrorKind::Uniqueness,
         "Uniqueness of index NO is violated."},
        {"insert into gk (车牌号码,no) values ('京A3')", ErrorKind::Syntax, "1 values"},
        {"select * from gk where 车牌号码='京A1", ErrorKind::Syntax, "unclosed quote"},
        {"select * from gk; DELETE FROM gk", ErrorKind::Syntax, "one statement"},
        {"DELETE FROM gk WHERE no=1; DELETE FROM gk", ErrorKind::Syntax, "one statement"},
        {"select * from gk where 车牌号码='a'; DELETE FROM gk where '1'='1'", ErrorKind::Syntax,
         "one statement"},
        {"select * from gk where 车牌号码='" + std::string(100000, 'x') + "'", ErrorKind::Syntax,
         "too long"},
        {"select * from gk where 车牌号码='\xB0\xA1'", ErrorKind::Syntax, "not valid"},
        {"select * from gk where 车牌号码='\xF0\x9F\x98\x80'", ErrorKind::Syntax, "cannot hold"},
        {"select * from gk where " + std::string(5000, '(') + "1=1" + std::string(5000, ')'),
         ErrorKind::Syntax, "nested too deeply"},
        {"select * from gk where " + std::string(5000, '!') + "no=1", ErrorKind::Syntax,
         "nested too deeply"},
        {"select " + Chain("no", "+", 10000) + " from gk", ErrorKind::Syntax, "too complex"},
        {"select * from gk where " + Chain("no=1", " OR ", 5000), ErrorKind::Syntax, "too complex"},
        {"UPDATE gk SET 来店里程 =来店里程/(no-1)", ErrorKind::Other, "Division by zero."},
        {"insert into gk (车牌号码,来店里程,no) values ('京A3',1/0,3)", ErrorKind::Other,
         "Division by zero."},
    };
    const std::string before = Rows();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statement.substr(0, 80));
        foxdb::Error e = ErrorOf(c.statement);
        EXPECT_EQ(e.kind(), c.kind) << e.what();
        std::string message = e.what(), lower = message;
        for (char& ch : lower)
            if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
        std::string want = c.text, wantLower = want;
        for (char& ch : wantLower)
            if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
        EXPECT_NE(lower.find(wantLower), std::string::npos) << message;
        EXPECT_EQ(Rows(), before);
    }
}

TEST_F(SqlErrors, LongButLegitimateExpressionsRun) {
    // An OR list of the operator's 500 choices, and a sum of 500 terms.
    auto rs = Query("select no from gk where " + Chain("no=2", " OR ", 500));
    ASSERT_EQ(rs.rows.size(), 1u);
    EXPECT_EQ(std::get<int64_t>(rs.rows[0][0]), 2);
    rs = Query("select " + Chain("来店里程", "+", 500) + " as s from gk where no=1");
    ASSERT_EQ(rs.rows.size(), 1u);
    EXPECT_EQ(std::get<int64_t>(rs.rows[0][0]), 50000);
    // Outside a stored value a division by zero is NULL.
    rs = Query("select 来店里程/0 as q from gk where no=1");
    EXPECT_TRUE(std::holds_alternative<foxdb::Null>(rs.rows[0][0]));
}

TEST_F(SqlErrors, AStatementBuiltFromTypedTextStaysOneStatement) {
    // A quote typed into a search value ends the literal; what follows is a syntax
    // error, never a statement of its own.
    std::string typed = "x' or 1=1; DELETE FROM gk where 'a'='a";
    foxdb::Error e = ErrorOf("select * from gk where 车牌号码 like '%" + typed + "%'");
    EXPECT_EQ(e.kind(), ErrorKind::Syntax);
    EXPECT_EQ(Rows(), "京A1=100;京A2=200;");
    EXPECT_THROW(Query("DELETE FROM gk"), foxdb::Error); // Query runs SELECTs only
    EXPECT_EQ(Rows(), "京A1=100;京A2=200;");
}

TEST_F(SqlErrors, ScrambledStatementsFailCleanly) {
    // Pieces of real statements put together at random: each gives a result or a
    // foxdb::Error, never a crash, and the table stays as it was.
    const char* pieces[] = {
        "select",   "*",       "from",     "gk",       "where",    "车牌号码",
        "=",        "'京A1'",  "(",        ")",        "and",      "or",
        "not",      "!",       "like",     "'%A%'",    "in",       "group by",
        "order by", "having",  "sum(",     "count(*)", ",",        "{^2024-01-01}",
        "{^//}",    ".T.",     "1",        "-",        "+",        "*",
        "/",        "$",       "no",       "as",       "x",        "is",
        "null",     "between", "distinct", "ljkc",     "ALLTRIM(", "'",
        "\"",       "."};
    std::mt19937 rng(7);
    const std::string before = Rows();
    for (int i = 0; i < 3000; ++i) {
        std::string statement;
        int n = 1 + static_cast<int>(rng() % 14);
        for (int k = 0; k < n; ++k)
            statement += std::string(pieces[rng() % std::size(pieces)]) + " ";
        try {
            db->Query(statement);
        } catch (const foxdb::Error&) {
        }
    }
    EXPECT_EQ(Rows(), before);
}

} // namespace
} // namespace foxdb_test
