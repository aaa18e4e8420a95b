#include "work/archive_query.h"
#include "work_tables_fixture.h"

#include <gtest/gtest.h>

namespace {

class ArchiveQueryTest : public WorkTablesTest {
protected:
    void SetUp() override {
        WorkTablesTest::SetUp();
        Insert("ljsh", {
                           {{"客户", "京A12345"}, {"flag", "W"}, {"日期", "2005-02-01"}},
                           {{"客户", "京A12345"}, {"flag", "P"}, {"日期", "2005-02-02"}},
                           {{"客户", "沪A1%"}, {"flag", "W"}, {"日期", "2005-04-01"}},
                           {{"客户", "沪B777"}, {"flag", "W"}, {"日期", "2004-12-31"}},
                       });
    }
    std::vector<wxString> Customers(const wxString& statement) { return Column(statement, "客户"); }
};

TEST_F(ArchiveQueryTest, LookUpsByModeAndPartOfTheCustomer) {
    using M = CArchiveQuery::Mode;
    EXPECT_EQ(Customers(CArchiveQuery::LookupStatement(M::Repair, "A1")),
              (std::vector<wxString>{U("京A12345"), U("沪A1%")}));
    EXPECT_EQ(Customers(CArchiveQuery::LookupStatement(M::Sales, "A1")),
              (std::vector<wxString>{U("京A12345")}));
    // Nothing typed lists nothing; a typed % is a character, not a wildcard.
    EXPECT_TRUE(Customers(CArchiveQuery::LookupStatement(M::Repair, "")).empty());
    EXPECT_EQ(Customers(CArchiveQuery::LookupStatement(M::Repair, "1%")),
              (std::vector<wxString>{U("沪A1%")}));
    // The statistics look-up searches every flag.
    EXPECT_EQ(Customers(CArchiveQuery::LookupStatement(M::Statistics, U("京A"))).size(), 2u);
    // A quote in the look-up is taken as itself.
    EXPECT_TRUE(Customers(CArchiveQuery::LookupStatement(M::Repair, "A'1")).empty());
}

TEST_F(ArchiveQueryTest, StatisticsRangeListsEveryLineInTheRange) {
    const wxString statement = CArchiveQuery::RangeStatement("2005-01-01,2005-03-31");
    EXPECT_EQ(Customers(statement), (std::vector<wxString>{U("京A12345"), U("京A12345")}));
    EXPECT_TRUE(CArchiveQuery::RangeStatement("2005-01-01").empty());
    EXPECT_TRUE(CArchiveQuery::RangeStatement("2005-13-01,2005-03-31").empty());
    // The range ends with the ten characters of its last date.
    EXPECT_EQ(CArchiveQuery::RangeStatement("2005-01-01,2005-03-31} or {^2000-01-01"), statement);
}

TEST(ArchiveTotals, QuantityTimesPriceToTheFen) {
    EXPECT_DOUBLE_EQ(CArchiveQuery::Total({{"2", "12.50"}, {"3", "0.10"}, {"", "9"}, {"5", ""}}),
                     25.30);
    EXPECT_DOUBLE_EQ(CArchiveQuery::Total({}), 0);
    EXPECT_EQ(CArchiveQuery::WidthKey(CArchiveQuery::Mode::Statistics), U("ljsh配件"));
    EXPECT_EQ(CArchiveQuery::ColumnCount(CArchiveQuery::Mode::Repair), 12);
}

} // namespace
