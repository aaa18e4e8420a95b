#include "office/flow_analysis.h"

#include "data/setting_files.h"
#include "office_fixture.h"

namespace {

using namespace office_test;

class FlowAnalysisTest : public OfficeSetTest {
protected:
    void SetUp() override {
        OfficeSetTest::SetUp();
        MakeSet([](ado::Connection& c) {
            int no = 0;
            for (const char* values :
                 {"'X','机油','A1',10,40,{^2024-05-01}", "'X','机油','A1',10,20,{^2024-05-31}",
                  "'X','刹车片','B1',20,30,{^2024-05-20}", "'X','机油','A1',10,99,{^2024-06-01}"})
                Run(c, std::string(
                           "insert into ljsh (车型,项目名称,编号,单价,数量,日期,no) values (") +
                           values + "," + std::to_string(++no) + ")");
            no = 0;
            for (const char* values :
                 {"'X','机油','A1',100", "'X','机油','A1',20", "'Y','皮带','C1',5",
                  "'Z','机油','A1',7", "'Y','雨刮片','D1',0"})
                Run(c, std::string("insert into ljkc (车型,零件名称,编号,数量,no) values (") +
                           values + "," + std::to_string(++no) + ")");
        });
    }
    // Part number and model -> field values of the result.
    std::map<std::string, std::map<std::string, double>> Analyse(const char* from, const char* to,
                                                                 bool byQuantity) {
        CDataSet result, aux;
        EXPECT_TRUE(analysis_.Run(from, to, byQuantity, result, aux));
        std::map<std::string, std::map<std::string, double>> rows;
        auto rs = result.m_pRecordset;
        if (rs->RecordCount() <= 0) return rows;
        for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext()) {
            std::string key = rs->Fields().Item("编号").Value().ToString();
            key = key.substr(0, key.find(' ')) + "/" + rs->Fields().Item("车型").Value().ToString();
            key = key.substr(0, key.find(' '));
            for (const char* field :
                 {"总销售量", "月平均销量", "现有库存量", "月销库存比", "所占销量比"}) {
                ado::Variant value = rs->Fields().Item(field).Value();
                rows[key][field] = value.IsNull() ? -1 : value.ToDouble();
            }
        }
        return rows;
    }
    CFlowAnalysis analysis_;
};

TEST_F(FlowAnalysisTest, MayCountsThirtyDaysAndMergesStockByPartNameAndModel) {
    auto rows = Analyse("2024-05-01", "2024-05-31", true);
    ASSERT_EQ(rows.size(), 4u); // A1/X, B1/X, C1/Y, A1/Z; D1 has no stock
    EXPECT_DOUBLE_EQ(rows["A1/X"]["总销售量"], 60);
    EXPECT_DOUBLE_EQ(rows["A1/X"]["月平均销量"], 60);
    EXPECT_DOUBLE_EQ(rows["A1/X"]["现有库存量"], 120);
    EXPECT_DOUBLE_EQ(rows["A1/X"]["月销库存比"], 50);
    // Sold without stock: ratio 100.
    EXPECT_DOUBLE_EQ(rows["B1/X"]["现有库存量"], 0);
    EXPECT_DOUBLE_EQ(rows["B1/X"]["月销库存比"], 100);
    // Same part number, other model: a row of its own with no sales.
    EXPECT_DOUBLE_EQ(rows["A1/Z"]["总销售量"], 0);
    EXPECT_DOUBLE_EQ(rows["A1/Z"]["现有库存量"], 7);
    EXPECT_DOUBLE_EQ(rows["C1/Y"]["所占销量比"], 0);
    // Shares by quantity in whole percent: 60 and 30 of 90.
    EXPECT_DOUBLE_EQ(rows["A1/X"]["所占销量比"], 66);
    EXPECT_DOUBLE_EQ(rows["B1/X"]["所占销量比"], 33);
    // By amount: 600 and 600 of 1200.
    rows = Analyse("2024-05-01", "2024-05-31", false);
    EXPECT_DOUBLE_EQ(rows["A1/X"]["所占销量比"], 50);
}

TEST_F(FlowAnalysisTest, OneDayRangeAndEmptyRangeDivideByNothing) {
    auto rows = Analyse("2024-05-20", "2024-05-20", true);
    EXPECT_DOUBLE_EQ(rows["B1/X"]["月平均销量"], 900); // 30 sold in one day
    EXPECT_TRUE(Analyse("2024-05-31", "2024-05-01", true).empty());
    EXPECT_TRUE(boxes_.Shown().empty());
}

TEST_F(FlowAnalysisTest, ListsFilterTheResult) {
    CDataSet result, aux;
    ASSERT_TRUE(analysis_.Run("2024-05-01", "2024-05-31", true, result, aux));
    auto rs = result.m_pRecordset;
    rs->PutFilter(ado::Variant(CFlowAnalysis::BestSellersFilter(50).utf8_string()));
    EXPECT_EQ(rs->RecordCount(), 1);
    rs->PutFilter(ado::Variant(CFlowAnalysis::SlowSellersFilter(60).utf8_string()));
    EXPECT_EQ(rs->RecordCount(), 3); // A1/X at 50 and the two unsold rows
}

TEST(FlowAnalysisRules, NinetyRuleThresholdsAndSettings) {
    EXPECT_EQ(CFlowAnalysis::NinetyRule(4.95), "5");
    EXPECT_EQ(CFlowAnalysis::NinetyRule(4.90), "4.90");
    EXPECT_EQ(CFlowAnalysis::NinetyRule(0.991), "1");
    EXPECT_EQ(CFlowAnalysis::NinetyRule(60), "60.00");
    for (const char* bad : {"", "abc", "-5", "1.5"})
        EXPECT_FALSE(CFlowAnalysis::CheckThreshold(bad).empty()) << bad;
    EXPECT_TRUE(CFlowAnalysis::CheckThreshold("20").empty());

    FlowSettings settings = FlowSettings::Parse("");
    EXPECT_EQ(settings.slow, 100);
    EXPECT_EQ(settings.best, 100);
    EXPECT_EQ(settings.basis, 100);
    settings = FlowSettings::Parse("bl1=,bl2=5,bl3=1,");
    EXPECT_EQ(settings.slow, 0);
    EXPECT_EQ(settings.best, 5);
    EXPECT_EQ(settings.basis, 1);
    settings.slow = 20;
    EXPECT_EQ(settings.Build(), "bl1=20,bl2=5,bl3=1,");
    EXPECT_EQ(CFlowAnalysis::RangeDays("2024-05-01", "2024-05-31"), 30);
}

} // namespace
