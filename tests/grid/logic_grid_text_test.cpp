// Texts order by their GBK bytes: pinyin order for common characters.
#include "grid/grid_text.h"
#include "platform/wx_text.h"

#include <gtest/gtest.h>

TEST(GbkCompare, OrdersAsTheTablesSort) {
    EXPECT_LT(GbkCompare(U("阿"), U("把")), 0); // a before b
    EXPECT_LT(GbkCompare(U("把"), U("车")), 0); // b before c
    EXPECT_LT(GbkCompare(U("车"), U("张")), 0); // c before z
    EXPECT_LT(GbkCompare(U("Z"), U("阿")), 0);  // ASCII before Chinese
    EXPECT_LT(GbkCompare(U(""), U("a")), 0);
    EXPECT_EQ(GbkCompare(U("轮胎"), U("轮胎")), 0);
    EXPECT_GT(GbkCompare(U("轮胎2"), U("轮胎")), 0);
}

TEST(GbkCompare, TextOutsideGbkStillCompares) {
    const wxString emoji = wxString::FromUTF8("\xF0\x9F\x9A\x97"); // no GBK form
    EXPECT_EQ(GbkCompare(emoji, emoji), 0);
    EXPECT_NE(GbkCompare(emoji, wxString::FromUTF8("车")), 0);
}
