// FoxPro's functions with their byte semantics on GBK text.
#include "foxdb/sql_fixture.h"
#include "foxdb/sql_functions.h"

#include <cmath>
#include <cstring>

namespace foxdb_test {
namespace {

class SqlFunctions : public SqlTest {
protected:
    void SetUp() override {
        SqlTest::SetUp();
        Run("CREATE TABLE t (c C(10), n N(8,2), d D, i I, e D, no I UNIQUE)");
        Run("INSERT INTO t (c,n,d,i,e,no) VALUES ('张三ab',-2.5,{^2024-03-05},7,{^//},1)");
    }
    // The value of an expression over the one row, as text.
    std::string Eval(const std::string& expression) {
        auto rs = Query("select " + expression + " as v from t");
        const foxdb::Value& v = rs.rows.at(0).at(0);
        if (foxdb::IsNull(v)) return "NULL";
        if (auto s = std::get_if<std::string>(&v)) return "'" + platform::GbkToUtf8(*s) + "'";
        if (auto d = std::get_if<double>(&v)) {
            char buf[64];
            std::snprintf(buf, sizeof buf, "%.4f", *d);
            return buf;
        }
        if (auto i = std::get_if<int64_t>(&v)) return std::to_string(*i);
        if (auto b = std::get_if<bool>(&v)) return *b ? ".T." : ".F.";
        if (auto d = std::get_if<foxdb::Date>(&v)) {
            if (d->IsEmpty()) return "{}";
            int y, m, day;
            foxdb::CivilFromJulianDay(d->julianDay, y, m, day);
            char buf[32];
            std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, day);
            return buf;
        }
        return "?";
    }
};

TEST_F(SqlFunctions, WorkOnGbkBytesAsFoxProDid) {
    struct Case {
        const char* expression;
        const char* expected;
    } cases[] = {
        {"LEN(c)", "10"}, // the field's width, blanks included
        {"LEN(ALLTRIM(c))", "6"},
        {"LEN(TRIM(c)+'x')", "7"},
        {"ALLTRIM('  a b  ')", "'a b    '"}, // padded back to the argument's width
        {"LTRIM('  a ')", "'a   '"},
        {"RTRIM(c)+'|'", "'张三ab|    '"}, // a computed text keeps its width
        {"SUBSTR(c,3,2)", "'三'"},
        {"SUBSTR(c,5)", "'ab    '"},
        {"SUBSTR(c,20)", "''"},
        {"LEFT(c,2)", "'张'"},
        {"RIGHT(ALLTRIM(c),2)", "'ab'"},
        {"UPPER(c)", "'张三AB    '"},
        {"LOWER('AbC')", "'abc'"},
        {"AT('三',c)", "3"},
        {"AT('x',c)", "0"},
        {"AT('a','banana',2)", "4"},
        {"STR(n,8,2)", "'   -2.50'"},
        {"STR(1234.5)", "'      1235'"},
        {"STR(123456,3)", "'***'"},
        {"VAL(' 12.5abc')", "12.5000"},
        {"VAL('x')", "0.0000"},
        {"DTOC(d)", "'03/05/24'"},
        {"DTOC(d,1)", "'20240305'"},
        {"DTOS(d)", "'20240305'"},
        {"DTOS(e)", "'        '"},
        {"CTOD('03/05/2024')", "2024-03-05"},
        {"CTOD('13/45/2024')", "{}"},
        {"YEAR(d)", "2024"},
        {"MONTH(d)", "3"},
        {"DAY(d)", "5"},
        {"YEAR(e)", "0"},
        {"DATE(2024,2,29)", "2024-02-29"},
        {"d+30", "2024-04-04"},
        {"d-{^2024-01-01}", "64"},
        {"IIF(n<0,'负','正')", "'负'"},
        {"IIF(.F.,1,2)", "2"},
        {"NVL(NULL,5)", "5"},
        {"NVL(c,'x')", "'张三ab    '"},
        {"EMPTY(e)", ".T."},
        {"EMPTY(c)", ".F."},
        {"EMPTY('   ')", ".T."},
        {"EMPTY(0)", ".T."},
        {"EMPTY(NULL)", ".F."},
        {"INLIST(i,1,7)", ".T."},
        {"BETWEEN(i,8,9)", ".F."},
        {"i BETWEEN 7 AND 9", ".T."},
        {"ROUND(2.675,2)", "2.6800"},
        {"ROUND(-2.5,0)", "-3.0000"},
        {"ROUND(1234.5,-2)", "1200.0000"},
        {"INT(-2.7)", "-2"},
        {"ABS(n)", "2.5000"},
        {"7/2", "3.5000"},
        {"'ab' $ c", ".T."},
        {"-i", "-7"},
        {".NULL.", "NULL"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expression);
        EXPECT_EQ(Eval(c.expression), c.expected);
    }
    EXPECT_NE(Eval("DATE()"), "{}");
}

// Rounding takes its powers of ten from a table; they must be the very doubles pow
// gives, so every value rounds to the same bits as with pow.
TEST(RoundHalfAway, GivesTheBitsOfRoundingByPow) {
    auto byPow = [](double value, int digits) {
        const double scale = std::pow(10.0, digits);
        return std::round(value * scale * (1 + 4e-15)) / scale;
    };
    const double values[] = {0.005, 1.005,     2.675,  -0.745, 12.345, -0.0005, 1e6 + 0.125,
                             0.1,   123456.78, 1e-300, 5e15,   -0.0,   99.995,  4503599627370495.5};
    for (int digits = 0; digits <= 15; ++digits)
        for (const double v : values) {
            SCOPED_TRACE(std::to_string(v) + " to " + std::to_string(digits));
            const double rounded = foxdb::sql::RoundHalfAway(v, digits);
            const double expected = byPow(v, digits);
            EXPECT_EQ(std::memcmp(&rounded, &expected, sizeof rounded), 0);
        }
}

} // namespace
} // namespace foxdb_test
