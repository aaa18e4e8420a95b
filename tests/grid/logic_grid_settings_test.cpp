// The settings line "GridSet": what a grid takes from it and what the dialog writes.
#include "grid/grid_settings.h"

#include <gtest/gtest.h>

TEST(GridSetParse, EmptyLineIsNoFileAndGivesDefaults) {
    const GridSetValues v = ParseGridSet("");
    EXPECT_FALSE(v.present);
    EXPECT_FALSE(v.headBack || v.headText || v.cellBack || v.cellText || v.lines || v.gridBack);
    EXPECT_EQ(v.LineWidth(), 0);
    EXPECT_EQ(v.ExtraRowHeight(), 0);
    EXPECT_FALSE(v.linkUpper);
    EXPECT_FALSE(v.fontHeight);
}

TEST(GridSetParse, ReadsEveryItemTheDialogWrites) {
    const GridSetValues v =
        ParseGridSet("MxZt=-12,MxYs=255,BtYs=65280,BgBj=16777215,MxBj=8421504,WgBj=12632256,"
                     "BtBj=12632256,rowhight=20,Linehight=3,AutoRe=0,");
    ASSERT_TRUE(v.present);
    EXPECT_EQ(*v.fontHeight, -12);
    EXPECT_EQ(*v.cellText, 255u);
    EXPECT_EQ(*v.headText, 65280u);
    EXPECT_EQ(*v.gridBack, 0xFFFFFFu);
    EXPECT_EQ(*v.cellBack, 0x808080u);
    EXPECT_EQ(*v.lines, 0xC0C0C0u);
    EXPECT_EQ(*v.headBack, 0xC0C0C0u);
    EXPECT_EQ(v.ExtraRowHeight(), 4);
    EXPECT_EQ(v.LineWidth(), 2);
    EXPECT_TRUE(v.linkUpper);
}

TEST(GridSetParse, LinkageIsOffOnlyForAutoReOne) {
    struct Case {
        const char* line;
        bool linkUpper;
    } cases[] = {
        {"AutoRe=1,", false}, {"AutoRe=0,", true},  {"MxYs=0,", true}, // no AutoRe item
        {"AutoRe=,", true},   {"AutoRe=11,", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseGridSet(c.line).linkUpper, c.linkUpper) << c.line;
}

TEST(GridSetParse, LineWidthIsValueLessOneNeverNegative) {
    struct Case {
        const char* line;
        int width;
    } cases[] = {
        {"Linehight=,", 0},  {"Linehight=0,", 0},  {"Linehight=1,", 0}, {"Linehight=2,", 1},
        {"Linehight=3,", 2}, {"Linehight=99,", 2}, {"Linehight=x,", 0}, {"Linehight=-3,", 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseGridSet(c.line).LineWidth(), c.width) << c.line;
}

TEST(GridSetParse, RowHeightAdjustmentStaysInTheDialogsRange) {
    EXPECT_EQ(ParseGridSet("rowhight=16,").ExtraRowHeight(), 0);
    EXPECT_EQ(ParseGridSet("rowhight=20,").ExtraRowHeight(), 4);
    EXPECT_EQ(ParseGridSet("rowhight=0,").ExtraRowHeight(), -16);
    EXPECT_EQ(ParseGridSet("rowhight=100000,").ExtraRowHeight(), 64);
    EXPECT_EQ(ParseGridSet("rowhight=abc,").ExtraRowHeight(), 0);
}

TEST(GridSetParse, GarbageValuesCountAsMissing) {
    const GridSetValues v = ParseGridSet(
        "MxZt=big,MxYs=red,BtYs=,BgBj=99999999999,MxBj=0x80,WgBj=12a,BtBj=--1,AutoRe=1,");
    EXPECT_TRUE(v.present);
    EXPECT_FALSE(v.fontHeight);
    EXPECT_FALSE(v.cellText);
    EXPECT_FALSE(v.headText);
    EXPECT_FALSE(v.gridBack);
    EXPECT_FALSE(v.cellBack);
    EXPECT_FALSE(v.lines);
    EXPECT_FALSE(v.headBack);
    EXPECT_FALSE(ParseGridSet("MxZt=0,").fontHeight);
    EXPECT_FALSE(ParseGridSet("MxZt=-5000,").fontHeight);
    EXPECT_FALSE(ParseGridSet("MxZt=,").fontHeight);
}

TEST(GridSetFormat, WritesItemsInOrderWithAutoReFromTheBox) {
    GridSetChoice choice;
    EXPECT_EQ(FormatGridSet(choice),
              "MxZt=-12,MxYs=0,BtYs=0,BgBj=16777215,MxBj=8421504,WgBj=12632256,BtBj=12632256,"
              "rowhight=16,Linehight=0,AutoRe=0,");
    choice.linkUpper = false;
    choice.rowHeight = -20;
    choice.lineValue = 2;
    const wxString line = FormatGridSet(choice);
    EXPECT_TRUE(line.EndsWith("rowhight=20,Linehight=2,AutoRe=1,")) << line;
    // What is written reads back.
    const GridSetValues back = ParseGridSet(line);
    EXPECT_FALSE(back.linkUpper);
    EXPECT_EQ(*back.fontHeight, -12);
    EXPECT_EQ(back.LineWidth(), 1);
}
