// Prices from elsewhere: the fixed price level of `bdzxm` and the customer's last
// archived price, with codes and names that hold quotes reaching SQL safely.
#include "common/table_folder.h"
#include "work/price_lookup.h"

using namespace work;

namespace {

class PriceLookupTest : public TableFolderTest {
protected:
    void SetUp() override {
        TableFolderTest::SetUp();
        frame_ = std::make_unique<CMainFrameData>();
        MakeTables({"bdzxm", "ljsh"}, *frame_);
    }
    void TearDown() override {
        frame_.reset();
        TableFolderTest::TearDown();
    }
    std::unique_ptr<CMainFrameData> frame_;
};

} // namespace

// A listed code without the level's price is still listed: its line takes no
// discount.
TEST_F(PriceLookupTest, APriceLevelRowGivesItsThirdPrice) {
    Insert("bdzxm",
           {{{"编号", "A1"}, {"三级价", "88.5"}, {"no", "1"}}, {{"编号", "B2"}, {"no", "2"}}});
    LevelPrice level = LookupLevelPrice("A1  ", "3");
    EXPECT_TRUE(level.listed);
    EXPECT_FALSE(level.priceNull);
    EXPECT_DOUBLE_EQ(level.price, 88.5);
    level = LookupLevelPrice("B2", "3");
    EXPECT_TRUE(level.listed);
    EXPECT_TRUE(level.priceNull);
    for (const char* code : {"X9", "", "A1' or '1'='1"})
        EXPECT_FALSE(LookupLevelPrice(code, "3").listed) << code;
    EXPECT_TRUE(WorkingCopies().empty());
}

TEST_F(PriceLookupTest, TheLatestArchivedPriceOfTheCustomerByCodeElseByName) {
    Insert(
        "ljsh",
        {{{"客户", "京A1"},
          {"编号", "A1"},
          {"项目名称", "机油"},
          {"单价", "30"},
          {"日期", "2026-01-05"},
          {"no", "1"}},
         {{"客户", "京A1"},
          {"编号", "A1"},
          {"项目名称", "机油"},
          {"单价", "32"},
          {"日期", "2026-06-05"},
          {"no", "2"}},
         {{"客户", "京A1"},
          {"项目名称", "换机油"},
          {"单价", "50"},
          {"日期", "2026-03-05"},
          {"no", "3"}},
         {{"客户", "京B2"}, {"编号", "A1"}, {"单价", "99"}, {"日期", "2026-09-05"}, {"no", "4"}}});
    LastPrices last;
    ASSERT_TRUE(last.Load(U("京A1")));
    double price = 0;
    EXPECT_TRUE(last.Find("A1", U("别的名字"), &price));
    EXPECT_DOUBLE_EQ(price, 32);
    EXPECT_TRUE(last.Find("", U("换机油"), &price));
    EXPECT_DOUBLE_EQ(price, 50);
    EXPECT_FALSE(last.Find("", "", &price));
    EXPECT_FALSE(last.Find("Z9", "", &price));
    EXPECT_FALSE(LastPrices().Load(U("京C3'")));
}
