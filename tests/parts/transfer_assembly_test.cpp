// Stock leaving the store: transfers recorded in LJDB, moves inside the store, and
// assemblies split into their parts and assembled from them.
#include "parts/assembly.h"
#include "parts/stock_in.h"
#include "parts/transfer.h"
#include "parts_tables_fixture.h"
#include "platform/wx_text.h"

#include <gtest/gtest.h>

using namespace parts;
using Answer = work::TakeOutQuestions::Answer;

TEST(Transfer, TheOperatorIsTheLoginNameCutOnACharacter) {
    EXPECT_EQ(OperatorName(U("张三,1,2")), U("张三"));
    EXPECT_EQ(OperatorName(U("仓库管理员小王,1")), U("仓库管理员小")); // 14 bytes: 12
    EXPECT_EQ(OperatorName(U("a仓库管理员小王,1")), U("a仓库管理员")); // never half a character
}

class TransferTest : public PartsTablesTest {
protected:
    void SetUp() override {
        PartsTablesTest::SetUp();
        Insert("ljkc",
               {{{"编号", "P1"}, {"零件名称", "滤芯"}, {"货位", "A"}, {"数量", "5"}, {"no", "1"}},
                {{"编号", "P2"}, {"零件名称", "灯泡"}, {"货位", "B"}, {"数量", "1"}, {"no", "2"}}});
    }
    static PartLine Line(const char* code, const char* name, double quantity, const char* bin) {
        PartLine line;
        line.code = code;
        line.name = U(name);
        line.quantity = quantity;
        line.bin = bin;
        return line;
    }
};

TEST_F(TransferTest, OutToAnotherStoreTakesTheStockAndRecordsEachLine) {
    const std::vector<PartLine> lines = {Line("P1", "滤芯", 2, "A")};
    CStockIn stock(StockInOptions{});
    ScriptedQuestions questions;
    ASSERT_TRUE(stock.Open());
    ASSERT_TRUE(stock.TakeOut(lines, questions));
    CStockIn::Records records;
    records.stockIn = false;
    records.alsoWrite = [&] { WriteTransferRecords(lines, U("二库"), U("张三")); };
    ASSERT_TRUE(stock.Store(lines, records));
    EXPECT_EQ(Column("select * from ljkc order by no", U("数量")), (Texts{"3", "1"}));
    EXPECT_EQ(Column("select * from LJDB", U("调拨去向")), Texts{U("二库")});
    EXPECT_EQ(Column("select * from LJDB", U("操作员")), Texts{U("张三")});
    EXPECT_EQ(Column("select * from LJDB", "no"), Texts{"1"});
    EXPECT_EQ(Column("select * from jhda", "no"), Texts{});
}

TEST_F(TransferTest, AMoveInsideTheStoreChangesOnlyTheBins) {
    Options("入库单=1,");
    std::vector<PartLine> lines = {Line("P1", "滤芯", 2, "A")};
    CStockIn stock(StockInOptions::Load());
    ScriptedQuestions questions;
    ASSERT_TRUE(stock.Open());
    ASSERT_TRUE(stock.TakeOut(lines, questions));
    lines[0].bin = "C";
    CStockIn::Records records;
    records.purchase = false;
    ASSERT_TRUE(stock.Store(lines, records));
    EXPECT_EQ(Column("select * from ljkc order by no", U("货位")), (Texts{"A", "B", "C"}));
    EXPECT_EQ(Column("select * from ljkc order by no", U("数量")), (Texts{"3", "1", "2"}));
    EXPECT_EQ(Column("select * from LJDB", "no"), Texts{});
}

// A shortage refused ends only its line; a part missing from stock and not ignored
// stops the transfer, which then writes nothing.
TEST_F(TransferTest, AMissingPartAnsweredNoWritesNothing) {
    const wxString before = Tables();
    CStockIn stock(StockInOptions{});
    ScriptedQuestions questions; // No to everything
    ASSERT_TRUE(stock.Open());
    EXPECT_TRUE(
        stock.TakeOut({Line("P1", "滤芯", 2, "A"), Line("P2", "灯泡", 3, "B")}, questions));
    EXPECT_FALSE(
        stock.TakeOut({Line("P1", "滤芯", 2, "A"), Line("P9", "灯泡", 3, "B")}, questions));
    EXPECT_EQ(Tables(), before);
}

// What a transfer records is what left the stock: a shortage let pass gives less, and
// a line without a part, or with one the stock does not hold, is refused before.
TEST_F(TransferTest, EachLineGivesWhatTheStockGaveAndLinesWithoutAStockPartAreRefused) {
    CStockIn stock(StockInOptions{});
    ASSERT_TRUE(stock.Open());
    ScriptedQuestions questions;
    questions.answers = {Answer::Yes}; // let the shortage of P2 pass
    std::vector<double> taken;
    ASSERT_TRUE(stock.TakeOut({Line("P1", "滤芯", 2, "A"), Line("P2", "灯泡", 3, "B")}, questions,
                              work::TakeOutPolicy(), &taken));
    EXPECT_EQ(taken, (std::vector<double>{2, 1}));
    std::vector<PartLine> byCode = {Line("P1", "", 1, ""), Line("P2", "旧名", 1, "")};
    CompleteFromStock(byCode, stock.Stock());
    EXPECT_EQ(byCode[0].name, U("滤芯"));
    EXPECT_EQ(byCode[1].name, U("旧名")); // a name typed stays

    const struct {
        PartLine line;
        const char* refusal; // part of the message, or null
    } cases[] = {{Line("P1", "滤芯", 1, ""), nullptr},
                 {Line("", "滤芯", 1, ""), nullptr},
                 {Line(" ", " ", 1, ""), "第2行没有零件"},
                 {Line("P9", "滤芯", 1, ""), "第2行的零件“P9”不在库存中"},
                 {Line("", "刹车片", 1, ""), "“刹车片”不在库存中"}};
    for (const auto& c : cases) {
        const wxString refusal = TransferRefusal({Line("P2", "", 1, ""), c.line}, stock.Stock());
        if (c.refusal)
            EXPECT_TRUE(refusal.Contains(U(c.refusal))) << refusal;
        else
            EXPECT_TRUE(refusal.empty()) << refusal;
    }
}

class AssemblyTest : public PartsTablesTest {
protected:
    void SetUp() override {
        PartsTablesTest::SetUp();
        Insert("ljzc", {{{"总成项目", "水泵总成"},
                         {"总成编号", "W1"},
                         {"编号", "P1"},
                         {"零件名称", "叶轮"},
                         {"数量", "3"},
                         {"车型", "捷达"},
                         {"no", "1"}},
                        {{"总成项目", "水泵总成"},
                         {"总成编号", "W1"},
                         {"编号", "P2"},
                         {"零件名称", "水封"},
                         {"数量", "1"},
                         {"车型", "捷达"},
                         {"no", "2"}}});
        Insert(
            "ljkc",
            {{{"编号", "W1"}, {"零件名称", "水泵总成"}, {"货位", "A"}, {"数量", "2"}, {"no", "1"}},
             {{"编号", "W1"}, {"零件名称", "水泵总成"}, {"货位", "B"}, {"数量", "4"}, {"no", "2"}},
             {{"编号", "P1"},
              {"零件名称", "叶轮"},
              {"货位", "C"},
              {"数量", "9"},
              {"厂牌", "博世"},
              {"进价", "7"},
              {"no", "3"}}});
    }
    const Assembly pump_{U("捷达"), U("水泵总成"), "W1"};
};

TEST_F(AssemblyTest, SplitTakesTheAssembliesBinAfterBinAndHandsOverItsParts) {
    ScriptedQuestions questions;
    CAssemblyWork work(questions);
    auto lines = work.Split(pump_, 3);
    ASSERT_TRUE(lines);
    EXPECT_TRUE(questions.asked.empty());
    EXPECT_EQ(Column(U("select * from ljkc where 编号='W1' order by no"), U("数量")),
              (Texts{"0", "3"}));
    ASSERT_EQ(lines->size(), 2u);
    EXPECT_EQ((*lines)[0].quantity, 9);
    EXPECT_EQ((*lines)[1].quantity, 3);
    CAssemblyWork::FillFromStock(*lines);
    EXPECT_EQ((*lines)[0].bin, "C");
    EXPECT_EQ((*lines)[0].brand, U("博世"));
    EXPECT_EQ((*lines)[1].bin, ""); // no stock row of P2
}

TEST_F(AssemblyTest, RefusalsAndMissingPartListsLeaveTheStockAsItWas) {
    const wxString before = Tables();
    {
        SCOPED_TRACE("more than the stock holds, No");
        ScriptedQuestions questions;
        EXPECT_FALSE(CAssemblyWork(questions).Split(pump_, 7));
        EXPECT_EQ(questions.asked, Texts{U("“水泵总成”的库存量不够,是否忽略?")});
    }
    {
        SCOPED_TRACE("an assembly without a part list is never taken out");
        ScriptedQuestions questions;
        EXPECT_FALSE(CAssemblyWork(questions).Split(Assembly{U("捷达"), U("水泵总成"), "W9"}, 1));
    }
    {
        SCOPED_TRACE("assembling with a part missing from stock, No");
        ScriptedQuestions questions;
        EXPECT_FALSE(CAssemblyWork(questions).Assemble(pump_, 1));
        EXPECT_EQ(questions.asked, Texts{U("没有找到“P2”的零件记录！是否忽略？")});
    }
    EXPECT_EQ(Tables(), before);
    {
        SCOPED_TRACE("Yes leaves that part untaken and goes on");
        ScriptedQuestions questions;
        questions.answers = {Answer::Yes};
        auto lines = CAssemblyWork(questions).Assemble(pump_, 2);
        ASSERT_TRUE(lines);
        ASSERT_EQ(lines->size(), 1u);
        EXPECT_EQ(lines->front().code, "W1");
        EXPECT_EQ(lines->front().quantity, 2);
        EXPECT_EQ(Column("select * from ljkc where no=3", U("数量")), Texts{"3"});
    }
}

TEST_F(AssemblyTest, AnAssemblyWithoutStockIsAskedAboutAndStillSplit) {
    CDataSet().DeleteWhere("ljkc", U("编号='W1'"));
    ScriptedQuestions questions;
    questions.answers = {Answer::Yes};
    auto lines = CAssemblyWork(questions).Split(pump_, 1);
    ASSERT_TRUE(lines);
    EXPECT_EQ(questions.asked, Texts{U("“水泵总成”的库存量不够,是否忽略?")});
    EXPECT_EQ(lines->size(), 2u);
}
