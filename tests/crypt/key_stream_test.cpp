// The kept key stream against RC4 run straight from the key, at offsets within the
// kept part, where it ends, and far past it, reached in any order.
#include "crypt/key_stream.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <map>
#include <nettle/arcfour.h>
#include <vector>

namespace {

constexpr uint64_t kMiB = 1 << 20;

} // namespace

TEST(KeyStream, EveryOffsetGivesTheBytesRc4GivesThereFarPastTheKeptPart) {
    const uint8_t key[16] = {0x5a, 0x11, 0x93, 0x02, 0x7e};
    const uint64_t kept = 256 * kMiB;
    const size_t length = 64;
    const uint64_t offsets[] = {kept + 5 * kMiB + 3,  0, kept - 10, kept + 1, kept + kMiB - 7,
                                kept + 5 * kMiB + 90, 4 * kMiB, kept + 2 * kMiB, kept + 40 * kMiB};
    // The straight run, keeping only the bytes at the offsets.
    std::map<uint64_t, std::vector<uint8_t>> expected;
    const uint64_t end = *std::max_element(std::begin(offsets), std::end(offsets)) + length;
    arcfour_ctx rc4;
    arcfour_set_key(&rc4, sizeof key, key);
    std::vector<uint8_t> chunk(kMiB);
    for (uint64_t at = 0; at < end; at += kMiB) {
        std::fill(chunk.begin(), chunk.end(), 0);
        arcfour_crypt(&rc4, chunk.size(), chunk.data(), chunk.data());
        for (uint64_t offset : offsets)
            for (size_t i = 0; i < length; ++i)
                if (offset + i >= at && offset + i < at + kMiB) {
                    auto& bytes = expected[offset];
                    bytes.resize(length);
                    bytes[i] = chunk[offset + i - at];
                }
    }
    sealkit::KeyStreamCursor cursor(sealkit::SharedKeyStream(key));
    for (uint64_t offset : offsets) {
        SCOPED_TRACE(offset);
        std::vector<uint8_t> bytes(length, 0);
        cursor.Seek(offset);
        cursor.Apply(bytes.data(), bytes.size());
        EXPECT_EQ(bytes, expected[offset]);
    }
    // Applied on from a seek, across the end of the kept part.
    std::vector<uint8_t> across(length, 0);
    cursor.Seek(kept - 10);
    cursor.Apply(across.data(), 10);
    cursor.Apply(across.data() + 10, length - 10);
    EXPECT_EQ(across, expected[kept - 10]);
}
