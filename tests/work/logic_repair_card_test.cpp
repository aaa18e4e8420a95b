// The repair card's arithmetic: line amounts and card totals, and the note file names.
#include "work/line_pricing.h"
#include "work/note_files.h"

#include <gtest/gtest.h>

using namespace work;

namespace {
wxString U(const char* text) {
    return wxString::FromUTF8(text);
}

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
    EXPECT_EQ(FormatMoney(LineAmount(Line(3, 10, 85))), "25.50");
    EXPECT_EQ(FormatMoney(LineAmount(Line(3, 10, 85, "N"))), "30.00"); // no discount
    EXPECT_EQ(FormatMoney(LineAmount(Line(3, 10, 85, "S"))), "25.50"); // shown, not totalled
    EXPECT_EQ(FormatMoney(LineAmount(Line(2, 19.99, 100))), "39.98");
    EXPECT_EQ(FormatMoney(LineAmount(Line(1, 0.125, 100))), "0.13");
    LineValues missing = Line(3, 10, 85);
    missing.priceNull = true;
    EXPECT_EQ(LineAmount(missing), 0);
    LineValues noDiscount = Line(2, 50, 0);
    noDiscount.discountNull = true;
    EXPECT_EQ(FormatMoney(LineAmount(noDiscount)), "100.00");
}

TEST(LinePricing, WarrantyWinsOverOtherMarksAndStaysOutOfTheTotal) {
    EXPECT_EQ(MarkOf("SZ"), LineMark::Warranty);
    EXPECT_EQ(MarkOf("N"), LineMark::NoDiscount);
    EXPECT_EQ(MarkOf("Z"), LineMark::Gift);
    EXPECT_EQ(MarkOf(""), LineMark::None);
    const std::vector<LineValues> lines = {Line(1, 80, 100, "", true), Line(2, 35, 90),
                                           Line(1, 60, 90, "SZ"), Line(1, 15, 90, "N")};
    EXPECT_EQ(FormatMoney(CardTotal(lines)), "158.00"); // 80 + 63 + 15
}

TEST(RepairNote, PlatesWithSeparatorsMakeSafeFileNames) {
    EXPECT_EQ(work::SafeNoteFileName(U("粤A12345")), U("粤A12345"));
    EXPECT_EQ(work::SafeNoteFileName(U("军/A-1\\2")), U("军%2FA-1%5C2"));
    EXPECT_EQ(work::SafeNoteFileName("50%/x"), "50%25%2Fx");
}
