#include "common/program_folder.h"
#include "data/sql_text.h"

TEST(SqlText, QuotesEveryValueSoTheStatementHoldsItExactly) {
    EXPECT_EQ(CSqlText::Quote("abc"), "'abc'");
    EXPECT_EQ(CSqlText::Quote(""), "''");
    EXPECT_EQ(CSqlText::Quote("O'Brien"), "\"O'Brien\"");
    EXPECT_EQ(CSqlText::Quote("a'b\"c"), "'a'+\"'\"+'b\"c'");
    EXPECT_EQ(CSqlText::Quote("'\"''"), "\"'\"+'\"'+\"'\"+\"'\"");
    EXPECT_EQ(CSqlText::Quote(U("50%_x")), U("'50%_x'"));
    EXPECT_EQ(CSqlText::Equals(U("车型"), U("捷达")), U("车型='捷达'"));
    EXPECT_EQ(CSqlText::Equals("table", "O'Brien"), "table=\"O'Brien\"");
    EXPECT_EQ(CSqlText::Contains(U("车牌号码"), U("京A")), U("'京A' $ 车牌号码"));
    EXPECT_EQ(CSqlText::QuoteCriterion("O'Brien"), "'O''Brien'");
    EXPECT_EQ(CSqlText::Criterion(U("编号"), "a'"), U("编号 = 'a'''"));
}

TEST(SqlText, TemplatesFillTheFirstPlaceholderOnly) {
    EXPECT_EQ(CSqlText::ReplaceParams("a=ReplaceStr and b=ReplaceStr1", "1", "2"), "a=1 and b=2");
    EXPECT_EQ(CSqlText::ReplaceParams("ReplaceStr ReplaceStr", "x", "y"), "x ReplaceStr");
    EXPECT_EQ(CSqlText::ReplaceParam("ReplaceStr ReplaceStr", "x"), "x ReplaceStr");
    EXPECT_EQ(CSqlText::ReplaceParams("no placeholder", "x", "y"), "no placeholder");
    EXPECT_EQ(CSqlText::ReplaceParam("no placeholder", "x"), "");
    // "ReplaceStr1" ahead of "ReplaceStr": its first ten characters are taken.
    EXPECT_EQ(CSqlText::ReplaceParams("a=ReplaceStr1 b=ReplaceStr", "x", "y"), "a=x1 b=ReplaceStr");
    EXPECT_EQ(CSqlText::ReplaceParam(U("like '%ReplaceStr%'"), U("京A")), U("like '%京A%'"));
}

TEST(SqlText, FindsTheTablesAStatementNames) {
    using V = std::vector<wxString>;
    struct {
        const char* statement;
        V tables;
    } cases[] = {
        {"select * from ljkc where no=0", {"ljkc"}},
        {"select * from ljkc,ljsh where ljkc.编号=ljsh.编号", {"ljkc", "ljsh"}},
        {"select * from ljkc, ljsh", {"ljkc", "ljsh"}},
        {"SELECT * FROM ljkc\n\tWHERE no=1", {"ljkc"}},
        {"select * from  ljkc a,gk b where a.x=b.y", {"ljkc", "a", "gk", "b"}},
        {"select * from ljkc where 编号 in (select 编号 from ljsh) and x in (SELECT y FROM jhda)",
         {"ljkc", "ljsh", "jhda"}},
        {"select * from gk where 车牌号码 like '%from xx%'", {"gk"}},
        {"select * from ljkc where 名称=\"a from b\" order by 1", {"ljkc"}},
        {"DELETE FROM ljsh WHERE no=3", {"ljsh"}},
        {"select count(*) from(select * from ljkc)", {"ljkc"}},
        {"select fromdate from t1", {"t1"}},
        {"select * from", {}},
        {"update ljkc set a=1", {}},
        {"/tmp/x/ljkc.adtg", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CSqlText::StatementTables(U(c.statement)), c.tables) << c.statement;
}

TEST(SqlText, NamesTheTableOfAStatementOrAFile) {
    struct {
        const char* text;
        const char* name;
    } cases[] = {
        {"select * from ljkc where no=0", "ljkc"},
        {"select * from ljkc", "ljkc"},
        {"select * from ljkc,ljsh where 1=1", "ljkc"},
        {"select * from (select * from ljkc)", ""},
        {"select count(*) from gk)", "gk"},
        {"select * from", ""},
        {"/home/u/backup/ljkc.adtg", "ljkc"},
        {"C:\\qv\\Data\\ljkc.adtg", "ljkc"},
        {"ljkc", "ljkc"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CSqlText::GetTableName(U(c.text)), U(c.name)) << c.text;
}
