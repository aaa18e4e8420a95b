// The take-out walks the line's bin, then the other bins with the operator's leave,
// asks its questions in order, never goes below 0 and always ends.
#include "platform/wx_text.h"
#include "work/stock_take_out.h"

#include <deque>
#include <gtest/gtest.h>

using namespace work;

namespace {

// Answers from a script; records every question, statement and message.
class Script : public TakeOutQuestions {
public:
    std::deque<Answer> answers;
    std::deque<wxString> bins; // chooser answers; empty text = cancelled
    std::vector<wxString> asked, statements, told;

    Answer Ask(const wxString& question, bool) override {
        asked.push_back(question);
        if (answers.empty()) return Cancel; // an unexpected question stops the test's line
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    bool ChooseBin(const wxString& statement, wxString* bin) override {
        statements.push_back(statement);
        if (bins.empty() || bins.front().empty()) return false;
        *bin = bins.front();
        bins.pop_front();
        return true;
    }
    void Tell(const wxString& message) override { told.push_back(message); }
};

StockRow Row(const char* code, const char* bin, double quantity, const char* model = "",
             const char* name = "机油") {
    StockRow row;
    row.code = U(code);
    row.name = U(name);
    row.bin = U(bin);
    row.model = U(model);
    row.quantity = quantity;
    return row;
}

TakeOutLine Line(const char* code, const char* bin, double quantity, const char* model = "",
                 const char* name = "机油") {
    TakeOutLine line;
    line.code = U(code);
    line.name = U(name);
    line.bin = U(bin);
    line.model = U(model);
    line.quantity = quantity;
    return line;
}

std::vector<double> Quantities(const std::vector<StockRow>& rows) {
    std::vector<double> q;
    for (const StockRow& r : rows)
        q.push_back(r.quantity);
    return q;
}

} // namespace

TEST(StockTakeOut, TheLinesBinFirstThenTheOtherBinsWithLeave) {
    {
        SCOPED_TRACE("the bin holds exactly the quantity; bins compared trimmed");
        std::vector<StockRow> rows{Row("A1", "B1   ", 5), Row("A1", "B2", 4)};
        Script s;
        EXPECT_TRUE(StockTakeOut(rows, s).Take(Line("A1", "B1", 5)));
        EXPECT_EQ(Quantities(rows), (std::vector<double>{0, 4}));
        EXPECT_TRUE(s.asked.empty());
        EXPECT_TRUE(rows[0].changed && !rows[1].changed);
    }
    {
        SCOPED_TRACE("3 of 5 in the bin, 4 elsewhere");
        std::vector<StockRow> rows{Row("A1", "B1", 3), Row("A1", "B2", 4)};
        Script s;
        s.answers = {TakeOutQuestions::Yes};
        EXPECT_TRUE(StockTakeOut(rows, s).Take(Line("A1", "B1", 5)));
        EXPECT_EQ(Quantities(rows), (std::vector<double>{0, 2}));
        ASSERT_EQ(s.asked.size(), 1u);
        EXPECT_EQ(s.asked[0], U("“机油”在选定货位的零件数不够，要到其它货位取货吗？"));
    }
    {
        SCOPED_TRACE("3 of 10 in the bin, 4 elsewhere: too few, then the shortage");
        std::vector<StockRow> rows{Row("A1", "B1", 3), Row("A1", "B2", 4)};
        Script s;
        s.answers = {TakeOutQuestions::Yes, TakeOutQuestions::Yes, TakeOutQuestions::Yes};
        EXPECT_TRUE(StockTakeOut(rows, s).Take(Line("A1", "B1", 10)));
        EXPECT_EQ(Quantities(rows), (std::vector<double>{0, 0}));
        ASSERT_EQ(s.asked.size(), 3u);
        EXPECT_EQ(s.asked[1], U("“机油”的其它库存总数(4)小于余下出库数(7)!是否忽略？"));
        EXPECT_EQ(s.asked[2], U("机油  库存数量不够！是否忽略?"));
    }
    {
        SCOPED_TRACE("No to the other bins leads to the shortage; No there cancels");
        std::vector<StockRow> rows{Row("A1", "B1", 3), Row("A1", "B2", 4)};
        Script s;
        s.answers = {TakeOutQuestions::No, TakeOutQuestions::No};
        EXPECT_FALSE(StockTakeOut(rows, s).Take(Line("A1", "B1", 5)));
        EXPECT_EQ(s.asked.size(), 2u);
    }
}

TEST(StockTakeOut, MissingPartsLabourAndEmptyQuantitiesAreNeverTaken) {
    std::vector<StockRow> rows{Row("A1", "", 5)};
    Script s;
    s.answers = {TakeOutQuestions::Yes, TakeOutQuestions::No};
    StockTakeOut takeOut(rows, s);
    EXPECT_TRUE(takeOut.Take(Line("X9", "", 1)));
    EXPECT_EQ(s.asked.back(), U("没有找到“X9”的零件记录！是否忽略？"));
    EXPECT_FALSE(takeOut.Take(Line("X9", "", 1))); // No cancels the settlement
    TakeOutLine labour = Line("A1", "", 1);
    labour.labour = true;
    TakeOutLine none = Line("A1", "", 0), negative = Line("A1", "", -2), null = Line("A1", "", 3);
    null.quantityNull = true;
    for (const TakeOutLine& line : {labour, none, negative, null})
        EXPECT_TRUE(takeOut.Take(line));
    EXPECT_EQ(rows[0].quantity, 5);
    EXPECT_EQ(s.asked.size(), 2u);
    // A line with no bin takes only from rows with none.
    EXPECT_TRUE(takeOut.Take(Line("A1", "  ", 2)));
    EXPECT_EQ(rows[0].quantity, 3);
}

TEST(StockTakeOut, ANameSearchUsesOnlyTheLinesModel) {
    std::vector<StockRow> rows{Row("", "B1", 5, "捷达", "刹车片"),
                               Row("", "B1", 5, "桑塔纳", "刹车片")};
    Script s;
    EXPECT_TRUE(StockTakeOut(rows, s).Take(Line("", "B1", 2, "桑塔纳", "刹车片")));
    EXPECT_EQ(Quantities(rows), (std::vector<double>{5, 3}));
}

TEST(StockTakeOut, SeveralOtherBinsGoThroughTheChooserOrAreTakenInTurn) {
    {
        SCOPED_TRACE("more in the other bins than needed: the operator chooses");
        std::vector<StockRow> rows{Row("A'1", "B1", 1), Row("A'1", "B2", 3), Row("A'1", "B3", 3)};
        Script s;
        s.answers = {TakeOutQuestions::Yes};
        s.bins = {U("B3  ")};
        EXPECT_TRUE(StockTakeOut(rows, s).Take(Line("A'1", "B1", 3)));
        EXPECT_EQ(Quantities(rows), (std::vector<double>{0, 3, 1}));
        ASSERT_EQ(s.statements.size(), 1u);
        EXPECT_EQ(s.statements[0],
                  U("select 零件名称,编号,零售价,数量,货位,车型,厂牌,代理价,批发价,单位,进价 "
                    "from ljkc where 编号=\"A'1\" and 数量>0"));
    }
    {
        SCOPED_TRACE("the chooser cancelled");
        std::vector<StockRow> rows{Row("A1", "B1", 1), Row("A1", "B2", 3), Row("A1", "B3", 3)};
        Script s;
        s.answers = {TakeOutQuestions::Yes};
        s.bins = {wxString()};
        EXPECT_FALSE(StockTakeOut(rows, s).Take(Line("A1", "B1", 3)));
        EXPECT_EQ(s.told, (std::vector<wxString>{U("没有找到记录，操作被取消！")}));
    }
    {
        SCOPED_TRACE("the other bins together hold at most what is missing: all are taken");
        std::vector<StockRow> rows{Row("A1", "B1", 1), Row("A1", "B2", 2), Row("A1", "B3", 2)};
        Script s;
        s.answers = {TakeOutQuestions::Yes, TakeOutQuestions::Yes, TakeOutQuestions::Yes};
        EXPECT_TRUE(StockTakeOut(rows, s).Take(Line("A1", "B1", 5)));
        EXPECT_EQ(Quantities(rows), (std::vector<double>{0, 0, 0}));
        EXPECT_EQ(s.asked.size(), 1u); // no loop, no chooser
        EXPECT_TRUE(s.statements.empty());
    }
}

TEST(StockTakeOut, TheCounterGoesOnAfterAShortageRefusal) {
    std::vector<StockRow> rows{Row("A1", "B1", 1)};
    Script s;
    s.answers = {TakeOutQuestions::No};
    TakeOutPolicy counter;
    counter.everyRefusalCancels = false;
    EXPECT_TRUE(StockTakeOut(rows, s, counter).Take(Line("A1", "B1", 3)));
    EXPECT_EQ(rows[0].quantity, 0);
}

// The returns and transfer pages: only No to ignoring a part missing from stock stops
// the walk; every other refusal ends the line and the walk goes on. The settlements
// stop at each of them.
TEST(StockTakeOut, OnlyAMissingPartStopsThePagesWalk) {
    const struct {
        const char* what;
        std::vector<StockRow> rows;
        std::deque<TakeOutQuestions::Answer> answers;
        std::deque<wxString> bins;
        bool pageGoesOn;
    } cases[] = {
        {"part not in stock, not ignored", {Row("A9", "B1", 5)}, {TakeOutQuestions::No}, {}, false},
        {"Cancel to the other bins", {Row("A1", "B2", 5)}, {TakeOutQuestions::Cancel}, {}, true},
        {"No to the other bins, No to the shortage",
         {Row("A1", "B2", 5)},
         {TakeOutQuestions::No, TakeOutQuestions::No},
         {},
         true},
        {"No to the other bins' total",
         {Row("A1", "B2", 1)},
         {TakeOutQuestions::Yes, TakeOutQuestions::No},
         {},
         true},
        {"the chooser closed",
         {Row("A1", "B2", 5), Row("A1", "B3", 5)},
         {TakeOutQuestions::Yes},
         {wxString()},
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const bool page : {true, false}) {
            std::vector<StockRow> rows = c.rows;
            Script s;
            s.answers = c.answers;
            s.bins = c.bins;
            TakeOutPolicy policy;
            policy.everyRefusalCancels = !page;
            EXPECT_EQ(StockTakeOut(rows, s, policy).Take(Line("A1", "B1", 3)),
                      page && c.pageGoesOn);
            EXPECT_TRUE(s.answers.empty());
        }
    }
}
