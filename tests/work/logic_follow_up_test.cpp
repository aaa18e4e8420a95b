#include "data/record_fields.h"
#include "work/follow_up_query.h"
#include "work_tables_fixture.h"

#include <gtest/gtest.h>

namespace {

TEST(FollowUpItems, SeparatorsAndQuotesGiveOneConditionPerItem) {
    const struct {
        const char* typed;
        const char* condition;
    } cases[] = {
        {"A，B", "(项目名称='A'  or 项目名称='B' )"},
        {"A\r\nB", "(项目名称='A'  or 项目名称='B' )"},
        {"A,,B,", "(项目名称='A'  or 项目名称='B' )"},
        {"机油", "(项目名称='机油' )"},
        {"O'Neil", "(项目名称=\"O'Neil\" )"},
        {"A'\"B", "(项目名称='A'+\"'\"+'\"B' )"},
        {"", ""},
        {",", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(CFollowUpQuery::ItemCondition(U(c.typed)), U(c.condition));
    }
}

TEST(FollowUpItems, EmptyDatesAndNonNumericPricesGiveNoStatement) {
    EXPECT_FALSE(CFollowUpQuery::Statement("A", "2004-02-01", "2004-02-29", "0", "100").empty());
    EXPECT_TRUE(CFollowUpQuery::Statement("A", "", "2004-02-29", "0", "100").empty());
    EXPECT_TRUE(CFollowUpQuery::Statement("A", "2004-02-01", "0:00:00", "0", "100").empty());
    EXPECT_TRUE(CFollowUpQuery::Statement("A", "2004-02-01", "2004-02-29", "x", "100").empty());
    EXPECT_TRUE(CFollowUpQuery::Statement("A", "2004-02-01", "2004-02-29", "0", "1;drop").empty());
    EXPECT_FALSE(
        CFollowUpQuery::Statement("A", "2004-02-01", "2004-02-29", "0", "100").Contains("{^}"));
}

class FollowUpListTest : public WorkTablesTest {};

TEST_F(FollowUpListTest, EachNamedItemOfAVehicleShowsItsLatestVisit) {
    Insert("gk", {{{"车牌号码", "粤A1"}, {"车主姓名", "张三"}, {"手机", "139"}, {"车型", "捷达"}},
                  {{"车牌号码", "粤B2"}, {"车主姓名", "李四"}}});
    Insert("ljsh", {
                       {{"客户", "粤A1"},
                        {"项目名称", "换机油"},
                        {"单价", "80"},
                        {"码表", "1000"},
                        {"日期", "2004-02-03"},
                        {"flag", "W"}},
                       {{"客户", "粤A1"},
                        {"项目名称", "换轮胎"},
                        {"单价", "300"},
                        {"码表", "1500"},
                        {"日期", "2004-02-10"},
                        {"flag", "W"}},
                       {{"客户", "粤A1"},
                        {"项目名称", "洗车"},
                        {"单价", "20"},
                        {"码表", "2000"},
                        {"日期", "2004-02-20"},
                        {"flag", "W"}},
                       // Outside the price band, another period, a sale: not listed.
                       {{"客户", "粤B2"},
                        {"项目名称", "换机油"},
                        {"单价", "900"},
                        {"日期", "2004-02-05"},
                        {"flag", "W"}},
                       {{"客户", "粤B2"},
                        {"项目名称", "换机油"},
                        {"单价", "80"},
                        {"日期", "2004-03-05"},
                        {"flag", "W"}},
                       {{"客户", "粤B2"},
                        {"项目名称", "换机油"},
                        {"单价", "80"},
                        {"日期", "2004-02-05"},
                        {"flag", "P"}},
                   });
    CDataSet list;
    const wxString statement =
        CFollowUpQuery::Statement(U("换机油，换轮胎"), "2004-02-01", "2004-02-29", "0", "500");
    ASSERT_TRUE(CFollowUpQuery::Load(list, statement, "2004-02-01", "2004-02-29"));
    ado::Recordset& rs = *list.m_pRecordset;
    ASSERT_EQ(rs.RecordCount(), 2);
    for (rs.MoveFirst(); !rs.EndOfFile(); rs.MoveNext()) {
        EXPECT_EQ(FieldText(rs, "车牌号码"), U("粤A1"));
        EXPECT_EQ(FieldText(rs, "车主姓名"), U("张三"));
        EXPECT_EQ(FieldDate(rs, "最近来访").Format("%Y-%m-%d"), "2004-02-20");
        EXPECT_EQ(FieldNumber(rs, "最近里程"), 2000);
    }
    // A failed statement leaves nothing open and says so.
    EXPECT_FALSE(CFollowUpQuery::Load(list, wxString(), "2004-02-01", "2004-02-29"));
}

} // namespace
