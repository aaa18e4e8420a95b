// Money in whole fen: the one place amounts are rounded.
#include "platform/money.h"

#include <gtest/gtest.h>

TEST(Money, YuanBecomeFenHalfAwayFromZeroAsTheDecimalsRead) {
    const struct {
        double yuan;
        money::Fen fen;
    } cases[] = {
        {1.15, 115},           {1.035, 104},    {1.005, 101}, {0.225, 23},  {-0.225, -23},
        {-1.005, -101},        {0.004, 0},      {-0.004, 0},  {9.315, 932}, {2.675, 268},
        {1e9, 100000000000LL}, {0.1 + 0.2, 30},
    };
    for (const auto& c : cases)
        EXPECT_EQ(money::FromYuan(c.yuan), c.fen) << c.yuan;
}

TEST(Money, TextHasTwoDecimalsAndNoNegativeZero) {
    EXPECT_EQ(money::Text(0), "0.00");
    EXPECT_EQ(money::Text(5), "0.05");
    EXPECT_EQ(money::Text(-5), "-0.05");
    EXPECT_EQ(money::Text(123456), "1234.56");
    EXPECT_EQ(money::Text(money::FromYuan(-0.001)), "0.00");
}

TEST(Money, TypedAmountsParseWithTheThirdDecimalRoundedOrAreRefused) {
    const struct {
        const char* text;
        money::Fen fen;
    } good[] = {{"12", 1200},     {"12.", 1200}, {".5", 50},     {"3.456", 346}, {"3.454", 345},
                {"-1.005", -101}, {"+2.1", 210}, {"0.999", 100}, {"007.10", 710}};
    for (const auto& c : good) {
        money::Fen fen = -1;
        EXPECT_TRUE(money::Parse(c.text, &fen)) << c.text;
        EXPECT_EQ(fen, c.fen) << c.text;
    }
    for (const char* bad : {"", ".", "-", "1.2.3", "1e5", "12a", " 1", "--1"}) {
        money::Fen fen = 0;
        EXPECT_FALSE(money::Parse(bad, &fen)) << bad;
    }
}

// Quantity x price x discount rounded once: never the discounted unit price rounded
// first and multiplied after.
TEST(Money, LineAmountsRoundOnceAtTheEnd) {
    const struct {
        long long quantity;
        money::Fen price;
        long long percent;
        money::Fen amount;
    } cases[] = {
        {1, 115, 90, 104},
        {9, 115, 90, 932},
        {1, 30, 75, 23},
        {3, 5, 50, 8},
        {2, 1999, 95, 3798},
        {3, 1000, 85, 2550},
        {7, 15, 33, 35},
        {1, 1, 50, 1},
        {-3, 115, 90, -311},
        {0, 999, 90, 0},
        {99999, 99999999, 200, 19999799800002LL},
    };
    for (const auto& c : cases)
        EXPECT_EQ(money::LineAmount(c.quantity, c.price, c.percent), c.amount)
            << c.quantity << " x " << c.price << " x " << c.percent << "%";
    EXPECT_EQ(money::Scale(115, 90, 100), 104); // the deal price of 1.15 at 90%
    EXPECT_EQ(money::Scale(-5, 1, 2), -3);
}
