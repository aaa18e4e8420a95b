// The repair card's arithmetic: line amounts and card totals, and the note file names.
#include "platform/wx_text.h"
#include "work/line_pricing.h"
#include "work/note_files.h"

#include <gtest/gtest.h>

using namespace work;

namespace {
LineValues Line(double quantity, double price, double discount, const char* mark = "",
                bool labour = false) {
    LineValues line;
    line.quantity = quantity;
    line.quantityNull = false;
    line.price = price;
    line.priceNull = false;
    line.discount = discount;
    line.discountNull = false;
    line.mark = mark;
    line.labour = labour;
    return line;
}
} // namespace

TEST(LinePricing, AmountsByMarkAndDiscount) {
    EXPECT_EQ(MoneyText(LineAmount(Line(3, 10, 85))), "25.50");
    EXPECT_EQ(MoneyText(LineAmount(Line(3, 10, 85, "N"))), "30.00"); // no discount
    EXPECT_EQ(MoneyText(LineAmount(Line(3, 10, 85, "S"))), "25.50"); // shown, not totalled
    EXPECT_EQ(MoneyText(LineAmount(Line(2, 19.99, 100))), "39.98");
    EXPECT_EQ(MoneyText(LineAmount(Line(1, 0.125, 100))), "0.13");
    LineValues missing = Line(3, 10, 85);
    missing.priceNull = true;
    EXPECT_EQ(LineAmount(missing), 0);
    LineValues noDiscount = Line(2, 50, 0);
    noDiscount.discountNull = true;
    EXPECT_EQ(MoneyText(LineAmount(noDiscount)), "100.00");
}

// The money table: each line worked out exactly and rounded once; the deal price is
// the discounted unit price rounded half up; the total is the sum of the shown lines.
TEST(LinePricing, MoneyTableRoundsEachLineOnce) {
    const struct {
        double quantity, price, discount;
        const char *deal, *amount;
    } cases[] = {
        {1, 1.15, 90, "1.04", "1.04"},    {9, 1.15, 90, "1.04", "9.32"},
        {1, 0.30, 75, "0.23", "0.23"},    {3, 0.05, 50, "0.03", "0.08"},
        {2, 19.99, 95, "18.99", "37.98"}, {7, 0.15, 33, "0.05", "0.35"},
    };
    std::vector<LineValues> lines;
    for (const auto& c : cases) {
        const LineValues line = Line(c.quantity, c.price, c.discount);
        EXPECT_EQ(MoneyText(DealPrice(line)), c.deal) << c.price << " at " << c.discount;
        EXPECT_EQ(MoneyText(LineAmount(line)), c.amount) << c.quantity << " x " << c.price;
        lines.push_back(line);
    }
    EXPECT_EQ(MoneyText(CardTotal(lines)), "49.00"); // 1.04+9.32+0.23+0.08+37.98+0.35
}

TEST(LinePricing, WarrantyWinsOverOtherMarksAndStaysOutOfTheTotal) {
    EXPECT_EQ(MarkOf("SZ"), LineMark::Warranty);
    EXPECT_EQ(MarkOf("N"), LineMark::NoDiscount);
    EXPECT_EQ(MarkOf("Z"), LineMark::Gift);
    EXPECT_EQ(MarkOf(""), LineMark::None);
    const std::vector<LineValues> lines = {Line(1, 80, 100, "", true), Line(2, 35, 90),
                                           Line(1, 60, 90, "SZ"), Line(1, 15, 90, "N")};
    EXPECT_EQ(MoneyText(CardTotal(lines)), "158.00"); // 80 + 63 + 15
}

TEST(RepairNote, PlatesWithSeparatorsMakeSafeFileNames) {
    EXPECT_EQ(work::SafeNoteFileName(U("粤A12345")), U("粤A12345"));
    EXPECT_EQ(work::SafeNoteFileName(U("军/A-1\\2")), U("军%2FA-1%5C2"));
    EXPECT_EQ(work::SafeNoteFileName("50%/x"), "50%25%2Fx");
}
