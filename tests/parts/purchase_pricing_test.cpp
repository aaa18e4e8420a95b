// Prices and bins of order and stock-in lines from the options, the price list,
// the supplier offers and the stock.
#include "data/data_transaction.h"
#include "parts/order_save.h"
#include "parts/purchase_pricing.h"
#include "parts_tables_fixture.h"
#include "platform/wx_text.h"

#include <gtest/gtest.h>

using namespace parts;

namespace {

PartLine Line(const char* code, const char* name, std::optional<double> cost) {
    PartLine line;
    line.code = U(code);
    line.name = U(name);
    line.cost = cost;
    return line;
}

} // namespace

TEST(PurchasePricing, RatiosArePercentagesOfThePurchasePrice) {
    std::vector<PartLine> lines = {Line("P1", "", 8.0), Line("P2", "", std::nullopt)};
    lines[0].agent = 99;
    PriceByRatio(lines, PriceRatios{110, 120, 150}, false);
    EXPECT_DOUBLE_EQ(*lines[0].retail, 12.0);
    EXPECT_DOUBLE_EQ(*lines[0].wholesale, 9.6);
    EXPECT_DOUBLE_EQ(*lines[0].agent, 99); // untouched without three levels
    EXPECT_DOUBLE_EQ(*lines[1].retail, 0);
    PriceByRatio(lines, PriceRatios{110, 120, 150}, true);
    EXPECT_DOUBLE_EQ(*lines[0].agent, 8.8);
}

TEST(PurchasePricing, BinsFromStockNeverReplaceABin) {
    StockEntry row;
    row.code = "P1";
    row.brand = U("博世");
    row.bin = "A-01";
    std::vector<PartLine> lines = {Line("P1", "", 1), Line("P1", "", 1), Line("P1", "", 1)};
    lines[0].brand = U("博世");
    lines[1].brand = U("博世");
    lines[1].bin = "B-02";
    lines[2].brand = U("欧司朗");
    FillBinsFromStock(lines, {row});
    EXPECT_EQ(lines[0].bin, "A-01");
    EXPECT_EQ(lines[1].bin, "B-02");
    EXPECT_EQ(lines[2].bin, "");
}

class PricingTablesTest : public PartsTablesTest {};

TEST_F(PricingTablesTest, PriceListAndLowestOfferGiveTheirOwnRows) {
    Insert("jgk", {{{"编号", "P1"}, {"进价", "7"}, {"零售价", "11"}, {"批发价", "9"}, {"no", "1"}},
                   {{"零件名称", "垫片"}, {"进价", "1"}, {"零售价", "2"}, {"no", "2"}}});
    Insert("hy", {{{"编号", "P1"}, {"批发价", "6"}, {"供应商", "甲"}, {"no", "1"}},
                  {{"编号", "P1"}, {"批发价", "5"}, {"供应商", "乙"}, {"no", "2"}},
                  {{"编号", "P1"}, {"批发价", "5.5"}, {"供应商", "丙"}, {"no", "3"}},
                  {{"零件名称", "垫片"}, {"批发价", "0.5"}, {"供应商", "丁"}, {"no", "4"}}});
    std::vector<PartLine> lines = {Line("P1", "", 8.0), Line("", "垫片", 3.0)};
    ASSERT_TRUE(PriceFromPriceList(lines, false));
    EXPECT_DOUBLE_EQ(*lines[0].cost, 8); // No to "进价是否也按原价?"
    EXPECT_DOUBLE_EQ(*lines[0].retail, 11);
    EXPECT_DOUBLE_EQ(*lines[1].retail, 2); // priced by name
    ASSERT_TRUE(PriceFromPriceList(lines, true));
    EXPECT_DOUBLE_EQ(*lines[0].cost, 7);
    ASSERT_TRUE(TakeLowestOffers(lines));
    EXPECT_DOUBLE_EQ(*lines[0].cost, 5);
    EXPECT_EQ(lines[0].supplier, U("乙"));
    EXPECT_DOUBLE_EQ(*lines[1].cost, 1); // no 编号: passed over
}

TEST_F(PricingTablesTest, AnOrderPostsEachSuppliersOwnAmount) {
    CDataSet data;
    data.Open(U("select 车型,部位,零件名称,编号,单位,进价,数量,小计,厂牌,供应商,备注,定货单,合同号,"
                "日期,no from dhd order by 定货单"));
    ASSERT_TRUE(data.IsOpen());
    std::vector<PartLine> order;
    for (auto [code, supplier, quantity, cost] :
         {std::tuple{"P1", "甲", 2, 10.0}, {"P2", "乙", 1, 5.5}, {"P3", "甲", 3, 1.0}}) {
        PartLine line = Line(code, "", cost);
        line.supplier = U(supplier);
        line.quantity = quantity;
        line.order = "20261210001";
        data.m_pRecordset->AddNew();
        WriteLine(*data.m_pRecordset, line);
        order.push_back(line);
    }
    // The question, then each payable reported once the whole order is written.
    std::vector<std::string> told, toldInTransaction;
    const platform::MessageBoxHandler kept =
        platform::SetMessageBoxHandler([&](const std::string& text, const std::string&, unsigned) {
            told.push_back(text);
            try {
                CDataTransaction probe; // only one can be open
            } catch (const ado::ComError&) {
                toldInTransaction.push_back(text);
            }
            return int(platform::IDYES);
        });
    const bool saved = SaveOrder(data.m_pRecordset, order, "28.50", "20261210001", *frame_);
    platform::SetMessageBoxHandler(kept);
    ASSERT_TRUE(saved);
    EXPECT_EQ(told, (std::vector<std::string>{"货款是否保存到应付款记录中去？", "应付款入帐成功!",
                                              "应付款入帐成功!"}));
    EXPECT_TRUE(toldInTransaction.empty());
    EXPECT_EQ(Column("select * from dhd order by no", "no"), (Texts{"1", "2", "3"}));
    const wxString q = "select * from wlzm order by no";
    EXPECT_EQ(Column(q, U("单位")), (Texts{U("甲"), U("乙")}));
    EXPECT_EQ(Column(q, U("金额")), (Texts{"23", "5.5"}));

    // A total of "0.00" is stored without a question.
    boxes_.Clear();
    data.m_pRecordset->AddNew();
    WriteLine(*data.m_pRecordset, Line("P4", "", std::nullopt));
    ASSERT_TRUE(SaveOrder(data.m_pRecordset, {}, "0.00", "20261210002", *frame_));
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(Column("select * from dhd", "no").size(), 4u);
}

// A line left as 新增 made it is not archived; one with a price but no part is refused.
TEST_F(PricingTablesTest, AnOrderLeavesOutLinesThatNameNoPart) {
    CDataSet data;
    data.Open(U("select 车型,部位,零件名称,编号,单位,进价,数量,小计,厂牌,供应商,备注,定货单,合同号,"
                "日期,no from dhd order by 定货单"));
    ASSERT_TRUE(data.IsOpen());
    ado::Recordset& rs = *data.m_pRecordset;
    auto add = [&rs](const char* code, std::optional<double> cost, double no) {
        PartLine line = Line(code, "", cost);
        line.quantity = 1;
        line.order = "20261210001";
        rs.AddNew();
        WriteLine(rs, line);
        PutText(rs, "日期", "2026-12-10");
        PutNumber(rs, "no", no);
        rs.Update();
    };
    add("", std::nullopt, -1);
    add("P1", 10.0, -2);
    add("", 3.0, -3);
    const wxString before = Tables();
    EXPECT_FALSE(SaveOrder(data.m_pRecordset, {}, "0.00", "20261210001", *frame_));
    EXPECT_EQ(Shown(), Texts{U("定货单中有没有编号和零件名称的行，请改正后再存档。")});
    EXPECT_EQ(Tables(), before);
    rs.MoveLast();
    PutText(rs, "编号", "P2");
    rs.Update();
    ASSERT_TRUE(SaveOrder(data.m_pRecordset, {}, "0.00", "20261210001", *frame_));
    EXPECT_EQ(Column("select * from dhd order by no", U("编号")), (Texts{"P1", "P2"}));
}
