// Texts order by their GBK bytes: pinyin order for common characters.
#include "grid/grid_text.h"

#include <gtest/gtest.h>

TEST(GbkCompare, OrdersAsTheTablesSort) {
    auto u = [](const char* s) { return wxString::FromUTF8(s); };
    EXPECT_LT(GbkCompare(u("阿"), u("把")), 0); // a before b
    EXPECT_LT(GbkCompare(u("把"), u("车")), 0); // b before c
    EXPECT_LT(GbkCompare(u("车"), u("张")), 0); // c before z
    EXPECT_LT(GbkCompare(u("Z"), u("阿")), 0);  // ASCII before Chinese
    EXPECT_LT(GbkCompare(u(""), u("a")), 0);
    EXPECT_EQ(GbkCompare(u("轮胎"), u("轮胎")), 0);
    EXPECT_GT(GbkCompare(u("轮胎2"), u("轮胎")), 0);
}

TEST(GbkCompare, TextOutsideGbkStillCompares) {
    const wxString emoji = wxString::FromUTF8("\xF0\x9F\x9A\x97"); // no GBK form
    EXPECT_EQ(GbkCompare(emoji, emoji), 0);
    EXPECT_NE(GbkCompare(emoji, wxString::FromUTF8("车")), 0);
}
