// The settlement dialog's arithmetic: offsets, the lowered receivable, the change
// and the shortfall, all to the fen.
#include "platform/wx_text.h"
#include "work/settle_arithmetic.h"

#include <gtest/gtest.h>

using namespace work;

TEST(SettleArithmetic, OffsetsTakePayablesFirstAndNeverMoreThanTheTotal) {
    struct Case {
        double total, payables, advances;
        double takenPayables, takenAdvances, lowered;
    } cases[] = {
        {100, 0, 30, 0, 30, 70},    // advance only
        {100, 80, 50, 80, 20, 0},   // both, more than the total: payables first
        {100, 120, 0, 100, 0, 0},   // payables beyond the total
        {100, 20, 30, 20, 30, 50},  // both fit
        {100, -20, 120, 0, 100, 0}, // a negative balance offsets nothing
        {100.10, 0.05, 0.05, 0.05, 0.05, 100.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(wxString::Format("%.2f %.2f %.2f", c.total, c.payables, c.advances));
        SettleOffsets o = ComputeOffsets(c.total, c.payables, c.advances);
        EXPECT_DOUBLE_EQ(o.payables, c.takenPayables);
        EXPECT_DOUBLE_EQ(o.advances, c.takenAdvances);
        EXPECT_DOUBLE_EQ(LoweredTotal(c.total, o), c.lowered);
    }
}

// The question names what a Yes takes off, not the balances beyond the receivable.
TEST(SettleArithmetic, TheOffsetQuestionNamesTheAmountDeducted) {
    struct Case {
        double total, payables, advances;
        const char* offered; // empty: no question
    } cases[] = {
        {100, 0, 30, "30.00"},     {100, 80, 50, "100.00"}, {100, 120, 0, "100.00"},
        {100, -20, 120, "100.00"}, {100, -50, 20, ""},      {0, 0, 30, ""},
        {100, 0, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(wxString::Format("%.2f %.2f %.2f", c.total, c.payables, c.advances));
        const wxString question = OffsetQuestion(c.total, c.payables, c.advances);
        if (*c.offered)
            EXPECT_EQ(question,
                      U("该客户有应付款、预收款:") + c.offered + U(",是否在本次金额中扣除?"));
        else
            EXPECT_TRUE(question.empty());
    }
}

TEST(SettleArithmetic, ReceivedTextGivesTheChangeOrARefusal) {
    ReceivedAmount r = ReadReceived("90.00", 100);
    EXPECT_TRUE(r.ok && !r.empty);
    EXPECT_DOUBLE_EQ(r.change, -10.0);
    EXPECT_DOUBLE_EQ(Shortfall(r.change), 10.0);
    EXPECT_DOUBLE_EQ(Shortfall(ReadReceived("99.50", 100).change), 0.0);
    EXPECT_DOUBLE_EQ(Shortfall(ReadReceived("99", 100).change), 0.0); // exactly 1.00 short
    EXPECT_DOUBLE_EQ(Shortfall(ReadReceived("98.99", 100).change), 1.01);
    EXPECT_DOUBLE_EQ(ReadReceived("120", 100).change, 20.0);
    EXPECT_TRUE(ReadReceived("", 100).empty);
    for (const char* bad : {"12a", "1.2.3", ".", "-5", "1e3", " 12"}) {
        SCOPED_TRACE(bad);
        ReceivedAmount refused = ReadReceived(bad, 100);
        EXPECT_FALSE(refused.ok);
        EXPECT_EQ(refused.message, U("输入字符不对！"));
    }
}
