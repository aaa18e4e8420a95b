// What the reading child of a binary workbook hands back: the sheets pack and unpack
// whole, and a packing that is cut short, forged or padded is refused without taking
// more memory than it holds.
#include "data/binary_workbook.h"

#include <cstdint>
#include <gtest/gtest.h>

namespace {

const std::vector<WorkbookSheet> kSheets = {
    {"零件", {{"编号", "名称", ""}, {"A-01"}, {}, {std::string("a\0b", 3), "12.5", "刹车片"}}, {}},
    {"", {}, {}},
};

bool Same(const std::vector<WorkbookSheet>& a, const std::vector<WorkbookSheet>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].name != b[i].name || a[i].rows != b[i].rows) return false;
    return true;
}

std::string Count(uint32_t n) {
    return std::string(reinterpret_cast<const char*>(&n), sizeof n);
}

} // namespace

TEST(BinaryWorkbookTest, SheetsPackAndUnpackWhole) {
    std::vector<WorkbookSheet> read;
    ASSERT_TRUE(UnpackSheets(PackSheets(kSheets), &read));
    EXPECT_TRUE(Same(read, kSheets));
    ASSERT_TRUE(UnpackSheets(PackSheets({}), &read));
    EXPECT_TRUE(read.empty());
}

TEST(BinaryWorkbookTest, DamagedPackingIsRefusedAndLeavesTheSheets) {
    const std::string packed = PackSheets(kSheets);
    std::vector<WorkbookSheet> kept = {{"kept", {{"x"}}, {}}};
    for (size_t length = 0; length < packed.size(); ++length) {
        SCOPED_TRACE(length);
        EXPECT_FALSE(UnpackSheets(packed.substr(0, length), &kept));
    }
    const std::string forged[] = {
        packed + "x",                                       // trailing bytes
        Count(0xFFFFFFFF),                                  // sheets beyond the bytes
        Count(1) + Count(0) + Count(0xFFFFFFF0),            // rows beyond the bytes
        Count(1) + Count(0) + Count(1) + Count(0x7FFFFFFF), // cells beyond the bytes
        Count(1) + Count(0xFFFFFFFF) + "name",              // a name beyond the bytes
    };
    for (const std::string& bytes : forged)
        EXPECT_FALSE(UnpackSheets(bytes, &kept));
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].name, "kept");
}
