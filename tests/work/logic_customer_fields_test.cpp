#include "platform/wx_text.h"
#include "work/customer_fields.h"
#include "work/member_card_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(CustomerFields, ANewEntryKeepsTheFirstFourBytesOfThePlate) {
    EXPECT_EQ(CCustomerFields::PlatePrefix(U("粤B12345")), U("粤B1"));
    EXPECT_EQ(CCustomerFields::PlatePrefix(U("ABCDEF")), U("ABCD"));
    EXPECT_EQ(CCustomerFields::PlatePrefix(U("AB粤C")), U("AB粤"));
    EXPECT_EQ(CCustomerFields::PlatePrefix(U("ABC粤")), U("ABC")); // never half a character
}

TEST(CustomerFields, PlatesThatCannotBeStored) {
    EXPECT_TRUE(CCustomerFields::PlateProblem(U("京A12345")).empty());
    EXPECT_EQ(CCustomerFields::PlateProblem(U("京A'1")), U("  不能用单引号！"));
    EXPECT_FALSE(CCustomerFields::PlateProblem(U("京A/1")).empty());
    EXPECT_FALSE(CCustomerFields::PlateProblem(U("京A\\1")).empty());
    EXPECT_FALSE(CCustomerFields::PlateProblem(U("  ")).empty());
}

TEST(CustomerFields, BirthdayFromIdNumber) {
    const struct {
        const char* id;
        bool valid;
        const char* birthday;
    } cases[] = {
        {"110101800101123", true, "1980-01-01"},    // 15 digits: 19 + yymmdd
        {"110101198001011234", true, "1980-01-01"}, // 18 digits
        {"11010119800101123X", true, "1980-01-01"}, // check character X
        {"1101011980010112X4", false, ""},          // X elsewhere is wrong
        {"1101011980A101123", false, ""},           // 17 characters with a letter
        {"1101011980010112", true, ""},             // 16 digits: no birthday
        {"", true, ""},
        {"110101198013451234", true, ""}, // no month 13
    };
    for (const auto& c : cases) {
        wxString birthday = "x";
        EXPECT_EQ(CCustomerFields::BirthdayFromId(U(c.id), &birthday), c.valid) << c.id;
        EXPECT_EQ(birthday, U(c.birthday)) << c.id;
    }
}

TEST(MemberCardRules, ValidityAndDates) {
    EXPECT_EQ(CMemberCardRules::ValidUntil("2026-12-09"), "2027-12-08");
    EXPECT_EQ(CMemberCardRules::ValidUntil("2027-03-01"), "2028-02-28"); // across 29 February
    EXPECT_TRUE(
        CMemberCardRules::DateProblem("2026-12-09", "2027-12-08", true, "2026-12-09").empty());
    // A new card that has already expired, and a card ending before it began.
    EXPECT_FALSE(
        CMemberCardRules::DateProblem("2026-01-01", "2026-12-08", true, "2026-12-09").empty());
    EXPECT_TRUE(
        CMemberCardRules::DateProblem("2026-01-01", "2026-12-08", false, "2026-12-09").empty());
    EXPECT_FALSE(
        CMemberCardRules::DateProblem("2026-12-09", "2026-12-01", false, "2026-12-09").empty());
}

} // namespace
