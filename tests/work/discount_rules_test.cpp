// Typed discounts and the limits of the user and the shop; which lines a discount
// changes.
#include "platform/wx_text.h"
#include "work/discount_rules.h"

#include <gtest/gtest.h>

using namespace work;

TEST(DiscountRules, TypedDiscountsAreCheckedBeforeAnythingIsApplied) {
    struct Case {
        const char* typed;
        int user, shop;
        DiscountEntry::Kind kind;
        int percent;
        const char* message;
    } cases[] = {
        {"84", 85, 80, DiscountEntry::Refused, 100, "超出权限,无效操作!"},
        {"85", 85, 80, DiscountEntry::Percent, 85, ""},
        {"90", 85, 80, DiscountEntry::Percent, 90, ""},
        {"0", 85, 80, DiscountEntry::None, 100, ""},
        {"100", 85, 80, DiscountEntry::None, 100, ""},
        {"", 85, 80, DiscountEntry::None, 100, ""},
        {"79", 0, 80, DiscountEntry::Refused, 100, "超出权限,无效操作!"},
        {"80", 0, 80, DiscountEntry::Percent, 80, ""},
        {"50", 0, 0, DiscountEntry::Percent, 50, ""},
        {"abc", 0, 0, DiscountEntry::Refused, 100, "输入字符不对！"},
        {"8.5", 0, 0, DiscountEntry::Refused, 100, "输入字符不对！"},
        {"-5", 0, 0, DiscountEntry::Refused, 100, "输入字符不对！"},
        {"1000", 0, 0, DiscountEntry::Refused, 100, "折扣应是1到200之间的整数！"},
        // Up to the spin box's 200: a surcharge, within any limit.
        {"150", 85, 80, DiscountEntry::Percent, 150, ""},
        {"200", 0, 0, DiscountEntry::Percent, 200, ""},
        {"201", 0, 0, DiscountEntry::Refused, 100, "折扣应是1到200之间的整数！"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        DiscountEntry e = CheckPartsDiscount(c.typed, c.user, c.shop);
        EXPECT_EQ(e.kind, c.kind);
        if (c.kind == DiscountEntry::Percent) {
            EXPECT_EQ(e.percent, c.percent);
        }
        EXPECT_EQ(e.message, U(c.message));
    }
    // The labour discount has no limit but the same reading.
    EXPECT_EQ(ReadDiscount("70").kind, DiscountEntry::Percent);
    EXPECT_EQ(ReadDiscount("abc").kind, DiscountEntry::Refused);
    EXPECT_EQ(UserDiscountTenths(U("admin,折扣=8.5,")), 85);
}

TEST(DiscountRules, PartsDiscountSkipsLabourNoDiscountAndGiftsButChangesWarranty) {
    EXPECT_TRUE(TakesPartsDiscount("", ""));
    EXPECT_TRUE(TakesPartsDiscount("S", ""));
    EXPECT_FALSE(TakesPartsDiscount("N", ""));
    EXPECT_FALSE(TakesPartsDiscount("Z", ""));
    EXPECT_FALSE(TakesPartsDiscount("", "W"));
    EXPECT_TRUE(TakesLabourDiscount("", "W"));
    EXPECT_FALSE(TakesLabourDiscount("S", "W"));
    EXPECT_FALSE(TakesLabourDiscount("", ""));
}
