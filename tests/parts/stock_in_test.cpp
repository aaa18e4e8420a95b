// Receiving lines into stock: the merge by part and bin, the four price modes, the
// records of the receipt, and the refusals and failures that change nothing.
#include "common/file_size_limit.h"
#include "parts/stock_in.h"
#include "parts_tables_fixture.h"
#include "platform/files.h"
#include "platform/wx_text.h"

#include <gtest/gtest.h>
#include <wx/datetime.h>

using namespace parts;

namespace {

PartLine Line(const char* code, const char* name, double quantity, const char* bin = "",
              double cost = 0) {
    PartLine line;
    line.code = U(code);
    line.name = U(name);
    line.quantity = quantity;
    line.bin = U(bin);
    if (cost) line.cost = cost;
    return line;
}

} // namespace

class StockInTest : public PartsTablesTest {
protected:
    bool Receive(std::vector<PartLine> lines, bool purchase = true) {
        CStockIn stockIn(StockInOptions::Load());
        if (!stockIn.Open() || !stockIn.Prepare(lines)) return false;
        CStockIn::Records records;
        records.purchase = purchase;
        records.lastNumber = &last_;
        return stockIn.Store(lines, records);
    }
    wxString last_;
};

TEST_F(StockInTest, ByBinFoldsAPartsRowsOfTheLinesBinIntoOne) {
    Options("入库单=1,");
    Insert("ljkc",
           {{{"编号", "P1"}, {"零件名称", "滤芯"}, {"货位", "A-01"}, {"数量", "3"}, {"no", "1"}},
            {{"编号", "P1"}, {"零件名称", "滤芯"}, {"货位", "A-01  "}, {"数量", "4"}, {"no", "2"}},
            {{"编号", "P1"}, {"零件名称", "滤芯"}, {"货位", "a-01"}, {"数量", "1"}, {"no", "3"}},
            {{"编号", "P2"}, {"零件名称", "灯泡"}, {"数量", "2"}, {"no", "4"}},
            {{"零件名称", "垫片"}, {"车型", "捷达"}, {"货位", "C"}, {"数量", "1"}, {"no", "5"}}});
    PartLine byName = Line("", "垫片", 2, "C");
    byName.model = U("桑塔纳"); // another model: a row of its own
    ASSERT_TRUE(Receive({Line("P1", "滤芯", 5, "A-01"), Line("P2", "灯泡", 1, ""), byName}));
    const wxString q = "select * from ljkc order by no";
    EXPECT_EQ(Column(q, "no"), (Texts{"1", "3", "4", "5", "6"}));
    EXPECT_EQ(Column(q, U("数量")), (Texts{"12", "1", "3", "1", "2"}));
    EXPECT_EQ(Column(q, U("车型")), (Texts{"NULL", "NULL", "NULL", U("捷达"), U("桑塔纳")}));
}

TEST_F(StockInTest, InOrderOfArrivalOrKeepingPricesEveryLineIsANewRow) {
    for (const char* options : {"", "入库单=1,jgk=4,"}) {
        SCOPED_TRACE(options);
        Options(options);
        CDataSet().DeleteWhere("ljkc", "no>0");
        const std::string no = std::to_string(100 + CDataSet().GetDbfRecordCount("ljkc"));
        Insert("ljkc", {{{"编号", "P1"}, {"货位", "A"}, {"数量", "3"}, {"no", no.c_str()}}});
        ASSERT_TRUE(Receive({Line("P1", "", 5, "A"), Line("", "", 1)}));
        EXPECT_EQ(Column("select * from ljkc order by no", U("数量")), (Texts{"5", "1", "3"}));
    }
}

TEST_F(StockInTest, PriceModesMoveThePricesOneWayOrTheOther) {
    auto stock = [this] {
        CDataSet().DeleteWhere("ljkc", "no>0");
        CDataSet().DeleteWhere("jhda", "no>0");
        // Numbers past every earlier one: deleted rows keep theirs.
        const long base = 1000 + 10 * CDataSet().GetDbfRecordCount("ljkc");
        const std::string a = std::to_string(base + 1), b = std::to_string(base + 2);
        Insert("ljkc", {{{"编号", "P1"},
                         {"货位", "A"},
                         {"数量", "10"},
                         {"进价", "9"},
                         {"零售价", "15"},
                         {"no", a.c_str()}},
                        {{"编号", "P1"},
                         {"货位", "B"},
                         {"数量", "20"},
                         {"进价", "10.5"},
                         {"零售价", "15"},
                         {"no", b.c_str()}}});
    };
    const struct {
        const char* options;
        Texts stockCost; // 进价 of both rows and of the line's row in jhda
        const char* received;
    } cases[] = {
        // (9×10 + 10.5×20 + 12×10) / 40 = 10.50
        {"jgk=1,", {"10.5", "10.5"}, "10.5"},
        {"jgk=2,", {"9", "10.5"}, "10.5"},
        {"jgk=3,", {"12", "12"}, "12"},
        {"jgk=4,", {"9", "10.5"}, "12"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options);
        Options(c.options);
        stock();
        ASSERT_TRUE(Receive({Line("P1", "", 10, "C", 12)}));
        EXPECT_EQ(Column("select * from ljkc where no>1000 order by no", U("进价")), c.stockCost);
        EXPECT_EQ(Column("select * from jhda", U("进价")), Texts{c.received});
    }
}

TEST_F(StockInTest, AWeightedAverageNeverDividesByZero) {
    Options("jgk=1,");
    Insert("ljkc", {{{"编号", "P1"}, {"数量", "0"}, {"进价", "9"}, {"no", "1"}}});
    ASSERT_TRUE(Receive({Line("P1", "", 0, "", 12)}));
    EXPECT_EQ(Column("select * from jhda", U("进价")), Texts{"12"});
}

TEST_F(StockInTest, RefusedLinesWriteNothing) {
    Insert("ljkc", {{{"编号", "P1"}, {"数量", "3"}, {"no", "1"}}});
    const wxString before = Tables();
    const struct {
        const char* options;
        std::vector<PartLine> lines;
        const char* message;
    } cases[] = {
        {"jgk=1,", {Line("P1", "", 1), Line("P1", "", 2)}, "记录重复，请修改后再试！"},
        {"入库单=1,",
         {Line("P1", "", 1), Line("", "", 2)},
         "第2行没有编号和零件名称，不能入库，请改正后再试。"},
        {"", {Line("P1", "滤芯", -1)}, "“滤芯”的入库数量不对，请改正后再入库。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        Options(c.options);
        boxes_.Clear();
        EXPECT_FALSE(Receive(c.lines));
        EXPECT_EQ(Shown(), Texts{U(c.message)});
        EXPECT_EQ(Tables(), before);
    }
    // Under another price mode the same lines add up in one row.
    Options("jgk=3,入库单=1,");
    ASSERT_TRUE(Receive({Line("P1", "", 1), Line("P1", "", 2)}));
    EXPECT_EQ(Column("select * from ljkc", U("数量")), Texts{"6"});
}

TEST_F(StockInTest, TheReceiptIsRecordedDatedNumberedAndPricedPerSupplier) {
    Insert("jhda", {{{"编号", "OLD"}, {"数量", "1"}, {"no", "1"}}}); // an old row without a date
    Insert("jgk", {{{"编号", "P1"}, {"厂牌", "博世"}, {"进价", "1"}, {"零售价", "2"}, {"no", "1"}},
                   {{"编号", "P2"}, {"厂牌", "博世"}, {"进价", "1"}, {"no", "2"}}});
    Insert("hy",
           {{{"编号", "P1"}, {"厂牌", "博世"}, {"供应商", "甲"}, {"批发价", "1"}, {"no", "1"}}});
    PartLine a = Line("P1", "滤芯", 2, "A", 8);
    a.brand = U("博世");
    a.supplier = U("甲");
    a.retail = 12;
    PartLine b = Line("P2", "灯泡", 1, "B", 5);
    b.brand = U("欧司朗"); // another make: a price row of its own
    b.supplier = U("乙");
    b.order = "20261201003";
    last_ = "20261201009";
    ASSERT_TRUE(Receive({a, b}));
    // The last line's order is of another day: the day's first number.
    const wxString number = wxDateTime::Today().Format("%Y%m%d") + "001";
    EXPECT_EQ(last_, number);
    EXPECT_EQ(Column("select * from jhda where no>1", U("入库单")), (Texts{number, number}));
    EXPECT_EQ(Column("select * from jhda where no>1", U("日期")).size(), 2u);
    EXPECT_EQ(Column("select * from jhda order by no", "no"), (Texts{"1", "2", "3"}));
    EXPECT_EQ(Column("select * from jhda order by no", U("日期")).front(), "NULL");
    EXPECT_EQ(Column("select * from jhda where no>1", U("供应商")), (Texts{U("甲"), U("乙")}));
    EXPECT_EQ(Column("select * from jgk order by no", U("进价")), (Texts{"8", "1", "5"}));
    EXPECT_EQ(Column("select * from jgk order by no", U("零售价")), (Texts{"12", "NULL", "NULL"}));
    EXPECT_EQ(Column("select * from hy order by no", U("批发价")), (Texts{"8", "5"}));
    EXPECT_EQ(Column("select * from hy order by no", U("供应商")), (Texts{U("甲"), U("乙")}));
}

TEST_F(StockInTest, EveryReceiptOfADayHasItsOwnNumberAndAReceivedOrderIsAskedAbout) {
    const wxString today = wxDateTime::Today().Format("%Y%m%d");
    for (int i = 0; i < 2; ++i) {
        last_ = today + "004"; // the page's number does not move between receipts
        PartLine line = Line("P1", "", 1);
        line.order = today + "004";
        ASSERT_TRUE(Receive({line}));
    }
    EXPECT_EQ(Column("select * from jhda order by no", U("入库单")),
              (Texts{today + "005", today + "006"}));
    EXPECT_TRUE(CStockIn::ConfirmReceiveOrder(today + "009")); // never received
    EXPECT_TRUE(Shown().empty());
    boxes_.Reply(platform::IDNO);
    EXPECT_FALSE(CStockIn::ConfirmReceiveOrder(today + "004"));
    boxes_.Reply(platform::IDYES);
    EXPECT_TRUE(CStockIn::ConfirmReceiveOrder(today + "004"));
    EXPECT_EQ(Shown(), Texts(2, U("定货单“") + today + U("004”已经入过库，是否再次入库？")));
}

TEST_F(StockInTest, ReturnedPartsGoIntoStockWithoutPurchaseRecords) {
    ASSERT_TRUE(Receive({Line("P1", "", 2, "A", 8)}, false));
    EXPECT_EQ(Column("select * from ljkc", U("数量")), Texts{"2"});
    for (const char* table : {"jhda", "jgk", "hy"})
        EXPECT_EQ(Column(wxString("select * from ") + table, "no"), Texts{}) << table;
}

TEST_F(StockInTest, AFullDiskLeavesEveryTableAsItWas) {
    std::vector<Row> history;
    std::vector<std::string> numbers;
    for (int i = 1; i <= 300; ++i)
        numbers.push_back(std::to_string(i));
    for (const std::string& no : numbers)
        history.push_back(Row{{"编号", "OLD"}, {"零件名称", "旧零件"}, {"no", no.c_str()}});
    Insert("jhda", history);
    Insert("ljkc", {{{"编号", "P1"}, {"数量", "3"}, {"no", "1"}}});
    ASSERT_TRUE(CTableCrypt::DecryptTable("jhda"));
    const long long plain = platform::FileSize(Working("jhda.dbf"));
    CTableCrypt::DropWorkingCopies({"jhda"});
    const wxString before = Tables();
    {
        qv_test::FileSizeLimit full(static_cast<rlim_t>(plain + 1));
        EXPECT_FALSE(Receive({Line("P1", "", 2, "", 8)}));
    }
    EXPECT_EQ(Shown().back(), U("入库没有完成，库存和所有数据都保持原样。"));
    EXPECT_EQ(Tables(), before);
    EXPECT_TRUE(WorkingCopies().empty());
}
