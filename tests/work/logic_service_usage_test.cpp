#include "work/service_usage.h"
#include "work_tables_fixture.h"

#include <gtest/gtest.h>

namespace {

class ServiceUsageTest : public WorkTablesTest {
protected:
    void SetUp() override {
        WorkTablesTest::SetUp();
        Insert("hyxm", {
                           {{"卡类别", "VIP"}, {"项目名称", "洗车"}, {"次数", "3"}},
                           {{"卡类别", "VIP"},
                            {"项目名称", "换机油"},
                            {"编号", "JY-1"},
                            {"次数", "25"},
                            {"折扣", "90"},
                            {"手扣", "80"}},
                           {{"卡类别", "OLD"}, {"项目名称", "洗车"}, {"次数", "10"}},
                       });
    }
    const CServiceUsage::Item* Find(const CServiceUsage& usage, const char* name) {
        for (const auto& item : usage.m_items)
            if (item.name == U(name)) return &item;
        return nullptr;
    }
    void Wash(const char* date, const char* quantity = "1") {
        Insert("ljsh", {{{"客户", "京A1"},
                         {"项目名称", "洗车"},
                         {"数量", quantity},
                         {"日期", date},
                         {"flag", "W"}}});
    }
    CServiceUsage Load() {
        CServiceUsage usage;
        CDataSet data;
        usage.Load(data, U("京A1"), "2026-12-09");
        return usage;
    }
};

TEST_F(ServiceUsageTest, GrantedAndUsedUnderTheValidCard) {
    Insert("hyzl", {{{"卡类别", "VIP"},
                     {"车牌号码", "京A1"},
                     {"办卡日期", "2026-01-05"},
                     {"有效期", "2027-01-04"}}});
    Wash("2026-03-01", "2");
    Wash("2025-12-31"); // before the card: not a use of it
    Insert("ljsh",
           {{{"客户", "京B2"}, {"项目名称", "洗车"}, {"数量", "1"}, {"日期", "2026-03-01"}}});
    const CServiceUsage usage = Load();
    ASSERT_EQ(usage.m_items.size(), 2u);
    EXPECT_EQ(usage.m_items[0].name, U("换机油")); // pinyin order: huan before xi
    const auto* wash = Find(usage, "洗车");
    EXPECT_EQ(wash->granted, 3);
    EXPECT_EQ(wash->used, 2);
    EXPECT_EQ(Find(usage, "换机油")->granted, 25);
    EXPECT_EQ(CServiceUsage::RowsOfItem(25), 2);
    EXPECT_EQ(CServiceUsage::RowsOfItem(20), 1);
    EXPECT_EQ(CServiceUsage::RowsOfItem(0), 1);
    EXPECT_EQ(usage.m_strHeader, U("VIP   有效期    2026-01-05 , 2027-01-04"));
}

// An expired card grants nothing, and what was used under it does not eat the grant
// of the new card; two valid cards of one type add their grants, and a line their
// dates both cover counts once.
TEST_F(ServiceUsageTest, ExpiredCardsAndOverlappingCards) {
    Insert("hyzl", {
                       {{"卡类别", "OLD"},
                        {"车牌号码", "京A1"},
                        {"办卡日期", "2025-01-01"},
                        {"有效期", "2025-12-31"}},
                       {{"卡类别", "VIP"},
                        {"车牌号码", "京A1"},
                        {"办卡日期", "2026-01-01"},
                        {"有效期", "2026-12-31"}},
                       {{"卡类别", "VIP"},
                        {"车牌号码", "京A1"},
                        {"办卡日期", "2026-06-01"},
                        {"有效期", "2027-05-31"}},
                   });
    Wash("2025-06-01", "4");   // under the expired card only
    Wash("2026-07-01");        // under both VIP cards
    const auto usage = Load(); // Find points into it: it must outlive the checks
    const auto* wash = Find(usage, "洗车");
    ASSERT_NE(wash, nullptr);
    EXPECT_EQ(wash->granted, 6);
    EXPECT_EQ(wash->used, 1);
}

TEST_F(ServiceUsageTest, CardsWithoutDatesOrItemsGrantNothing) {
    Insert("hyzl", {{{"卡类别", "VIP"}, {"车牌号码", "京A1"}},
                    {{"卡类别", "NOITEMS"}, {"车牌号码", "京A1"}, {"有效期", "2027-01-01"}}});
    Wash("2026-03-01");
    EXPECT_TRUE(Load().m_items.empty());
}

TEST_F(ServiceUsageTest, ChosenServicesBecomeLinesFromStockOrFromTheItem) {
    Insert("hyzl", {{{"卡类别", "VIP"},
                     {"车牌号码", "京A1"},
                     {"办卡日期", "2026-01-05"},
                     {"有效期", "2027-01-04"}}});
    Insert("ljkc", {{{"零件名称", "机油"},
                     {"编号", "JY-1"},
                     {"货位", "A-3"},
                     {"零售价", "45.00"},
                     {"数量", "9"}}});
    const CServiceUsage usage = Load();
    CDataSet data;
    data.Open("select * from zyxm where no=0");
    ASSERT_TRUE(data.IsOpen());
    auto lines = data.m_pRecordset;
    EXPECT_EQ(CServiceLines::Append(data, lines, {Find(usage, "换机油"), Find(usage, "洗车")}), 2);
    ASSERT_EQ(lines->RecordCount(), 2);
    auto field = [&](const char* name) {
        const ado::Variant value = lines->Fields().Item(U(name).utf8_string()).Value();
        if (value.IsNull()) return std::string("NULL");
        return wxString::FromUTF8(value.ToString()).Trim().utf8_string();
    };
    lines->MoveFirst();
    EXPECT_EQ(field("项目名称"), "机油");
    EXPECT_EQ(field("货位"), "A-3");
    EXPECT_EQ(field("数量"), "1");
    EXPECT_EQ(field("单价"), "0");
    EXPECT_EQ(field("零售价"), "NULL");
    lines->MoveNext();
    EXPECT_EQ(field("项目名称"), "洗车");
    EXPECT_EQ(field("数量"), "1"); // the piece the grid shows is also the piece stored
}

} // namespace
