#include "common/program_folder.h"
#include "data/main_frame_data.h"

#include <gtest/gtest.h>

namespace {

// The rights check the frame and its commands rely on compares whole items after
// the login name.
TEST(Rights, CompareWholeTokensAfterTheLoginName) {
    struct Case {
        const char* rights;
        int right;
        bool allowed;
    } cases[] = {
        {"", 4, false}, // before any login
        {"", 57, false},
        {"admin,0", 4, true}, // "0": every right
        {"admin,0", 57, true},
        {"wang,14,53,折扣=8.5,", 4, false},  // token 14
        {"wang,14,53,折扣=8.5,", 43, false}, // token 53
        {"wang,14,53,折扣=8.5,", 5, true},
        {"li20,14,", 10, true},       // digits of token 20 in the name
        {"wang,折扣=5.6,", 46, true}, // digits of token 56 in the discount
        {"wang,114,", 4, true},       // 14 inside another number
        {"wang,67,", 57, false},
    };
    CMainFrameData data;
    for (const Case& c : cases) {
        data.m_strRights = U(c.rights);
        EXPECT_EQ(data.CheckRight(c.right), c.allowed) << c.rights << " right " << c.right;
    }
}

} // namespace
