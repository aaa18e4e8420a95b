// The stock a settlement takes from: only the rows its lines can take from are read,
// and what is read, taken and saved is what the whole table would have given.
#include "common/settle_script.h"
#include "common/table_folder.h"
#include "work/settlement_steps.h"

using namespace work;

namespace {

using Texts = std::vector<wxString>;

class SettlementStockTest : public TableFolderTest {
protected:
    void SetUp() override {
        TableFolderTest::SetUp();
        frame_ = std::make_unique<CMainFrameData>();
        MakeTables({"ljkc"}, *frame_);
    }
    static TakeOutLine Part(const char* code, const char* name, double quantity) {
        TakeOutLine line;
        line.code = U(code);
        line.name = U(name);
        line.quantity = quantity;
        return line;
    }
    std::unique_ptr<CMainFrameData> frame_;
};

} // namespace

// Codes and names with quotes, a code that is the start of another, a line known by its name
// alone and a labour line whose code a stock row happens to hold.
TEST_F(SettlementStockTest, TakesFromTheRowsOfItsLinesAndLeavesTheOthers) {
    Insert("ljkc", {{{"编号", "A\"1"}, {"零件名称", "机油"}, {"数量", "2"}, {"no", "1"}},
                    {{"编号", "A\"10"}, {"零件名称", "机油滤"}, {"数量", "5"}, {"no", "2"}},
                    {{"零件名称", "玻璃\"水"}, {"数量", "4"}, {"no", "3"}},
                    {{"编号", "L1"}, {"零件名称", "工时"}, {"数量", "9"}, {"no", "4"}},
                    {{"编号", "Z9"}, {"零件名称", "别的"}, {"数量", "7"}, {"no", "5"}}});
    TakeOutLine labour = Part("L1", "工时", 1);
    labour.labour = true;
    const std::vector<TakeOutLine> lines = {Part("A\"1", "机油", 2), Part("", " 玻璃\"水 ", 3),
                                            labour};
    settle::Stock stock;
    ASSERT_TRUE(stock.Open(lines));
    SettleScript s(TakeOutQuestions::Cancel);
    ASSERT_TRUE(stock.TakeOut(lines, s));
    wxString sheetNumber;
    ASSERT_TRUE(settle::WriteInTransaction(U("京A1"), U("20261211001"), sheetNumber,
                                           [&](const wxString&) { stock.Save(); }));
    EXPECT_TRUE(s.asked.empty());
    EXPECT_EQ(Column("select * from ljkc order by no", U("数量")),
              (Texts{"0", "5", "1", "9", "7"}));
}

TEST_F(SettlementStockTest, APartMissingIsAskedAboutOnlyWhenTheStockHoldsAnyRow) {
    const std::vector<TakeOutLine> lines = {Part("Q1", "火花塞", 1)};
    {
        settle::Stock empty;
        ASSERT_TRUE(empty.Open(lines));
        SettleScript s(TakeOutQuestions::No);
        EXPECT_TRUE(empty.TakeOut(lines, s));
        EXPECT_TRUE(s.asked.empty());
    }
    Insert("ljkc", {{{"编号", "Z9"}, {"零件名称", "别的"}, {"数量", "7"}, {"no", "1"}}});
    settle::Stock other;
    ASSERT_TRUE(other.Open(lines));
    SettleScript s(TakeOutQuestions::No);
    EXPECT_FALSE(other.TakeOut(lines, s));
    EXPECT_EQ(s.asked, Texts{U("没有找到“Q1”的零件记录！是否忽略？")});
}
