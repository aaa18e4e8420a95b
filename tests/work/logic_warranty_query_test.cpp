#include "work/warranty_query.h"
#include "work_tables_fixture.h"

#include <gtest/gtest.h>

namespace {

class WarrantyQueryTest : public WorkTablesTest {
protected:
    void SetUp() override {
        WorkTablesTest::SetUp();
        MakeTables({"ljth"}, *frame_);
        Insert("ljth", {
                           {{"客户", "京A1"},
                            {"零件名称", "刹车片"},
                            {"厂牌", "博世"},
                            {"日期", "2005-02-01"},
                            {"备注", "三包异响"},
                            {"单价", "100"},
                            {"进价", "60"},
                            {"数量", "2"},
                            {"补发日期", "2005-02-01"}},
                           // No remark at all: still a warranty line.
                           {{"客户", "京A1"},
                            {"零件名称", "雨刮"},
                            {"厂牌", "博世"},
                            {"日期", "2005-06-01"},
                            {"单价", "20.5"},
                            {"数量", "1"},
                            {"退出日期", "2005-06-02"}},
                           {{"客户", "京A1"},
                            {"零件名称", "机油"},
                            {"备注", "正品退出"},
                            {"日期", "2005-02-01"}},
                           {{"客户", "欧A3"}, {"零件名称", "灯泡"}, {"厂牌", "欧司朗"}},
                       });
    }
    std::vector<wxString> Parts(const wxString& statement) { return Column(statement, "零件名称"); }
};

TEST_F(WarrantyQueryTest, FiltersKeepLinesWithoutRemarkAndNeverShowGenuineParts) {
    using Q = CWarrantyQuery;
    const struct {
        const char *customer, *brand, *from, *to;
        Q::Only only;
        std::vector<const char*> parts;
    } cases[] = {
        {"全部", "", "", "", Q::Only::All, {"刹车片", "雨刮", "灯泡"}},
        {"京A1", "", "2004-01-01", "2005-03-01", Q::Only::All, {"刹车片"}},
        // An empty end leaves the range open; a line without a date is in every range.
        {"", "", "2005-03-01", "", Q::Only::All, {"雨刮", "灯泡"}},
        {"", "", "", "0:00:00", Q::Only::All, {"刹车片", "雨刮", "灯泡"}},
        {"全部", "博世", "", "", Q::Only::All, {"刹车片", "雨刮"}},
        {"京A1", "博世", "", "", Q::Only::NotReissued, {"雨刮"}},
        {"京A1", "", "", "", Q::Only::NotSentOut, {"刹车片"}},
        {"欧A3", "", "", "", Q::Only::All, {"灯泡"}},
        // A quote in a typed name is a character of the name, not the statement's end;
        // a name longer than the field matches nothing.
        {"O'Neil", "", "", "", Q::Only::All, {}},
        {"O'Neil\"' or 1=1", "", "", "", Q::Only::All, {}},
    };
    const std::string typed500(500, 'x');
    EXPECT_TRUE(Parts(Q::Statement(Q::Condition(typed500, "", "", ""), Q::Only::All)).empty());
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.customer) + "/" + c.brand + "/" + c.from + "/" + c.to);
        const wxString statement =
            Q::Statement(Q::Condition(U(c.customer), U(c.brand), c.from, c.to), c.only);
        EXPECT_FALSE(statement.Contains("{^}"));
        std::vector<wxString> expected;
        for (const char* part : c.parts)
            expected.push_back(U(part));
        std::vector<wxString> got = Parts(statement);
        std::sort(got.begin(), got.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(got, expected);
    }
}

TEST_F(WarrantyQueryTest, FuzzyConditionCannotReachPastTheGenuinePartsTest) {
    const wxString statement = CWarrantyQuery::FuzzyStatement(
        U("select * from ljth where 零件名称='机油' or 零件名称='刹车片' order by 日期"));
    EXPECT_EQ(Parts(statement), std::vector<wxString>{U("刹车片")});
    // A search statement without a condition lists every line.
    EXPECT_EQ(Parts(CWarrantyQuery::FuzzyStatement("ljth")).size(), 3u);
}

TEST_F(WarrantyQueryTest, TotalsSumCostAndDealOverLinesWithAQuantity) {
    CDataSet data;
    data.Open(CWarrantyQuery::Statement(wxString(), CWarrantyQuery::Only::All));
    ASSERT_TRUE(data.IsOpen());
    const CWarrantyQuery::Totals totals = CWarrantyQuery::Sum(*data.m_pRecordset);
    EXPECT_DOUBLE_EQ(totals.cost, 120);
    EXPECT_DOUBLE_EQ(totals.deal, 220.5);
}

} // namespace
