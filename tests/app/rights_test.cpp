#include "app/rights.h"
#include "app_fixture.h"

#include <gtest/gtest.h>

namespace {

struct RightCase {
    const char* rights;
    int right;
    bool allowed;
};

TEST(Rights, CompareWholeTokensAfterTheLoginName) {
    const RightCase cases[] = {
        {"", 4, false}, // before any login
        {"", 57, false},
        {"admin,0", 4, true}, // "0": every right
        {"admin,0", 57, true},
        {"wang,14,53,折扣=8.5,", 4, false},  // token 14
        {"wang,14,53,折扣=8.5,", 43, false}, // token 53
        {"wang,14,53,折扣=8.5,", 5, true},
        {"wang,14,53,折扣=8.5,", 10, true},
        {"li20,14,", 10, true},       // digits of token 20 in the name
        {"wang,折扣=5.6,", 46, true}, // digits of token 56 in the discount
        {"wang,114,", 4, true},       // 14 inside another number
        {"wang,67,", 57, false},
    };
    for (const RightCase& c : cases)
        EXPECT_EQ(RightAllowed(U(c.rights), c.right), c.allowed)
            << c.rights << " right " << c.right;
}

TEST(Rights, DirectTokenTests) {
    EXPECT_TRUE(RightsHaveToken(U("wang,56,"), "56"));
    EXPECT_FALSE(RightsHaveToken(U("wang,折扣=5.6,"), "56"));
    EXPECT_FALSE(RightsHaveToken(U("56,"), "56")); // a login name only
    EXPECT_FALSE(RightsHaveToken(U(""), "56"));
}

} // namespace
