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
constexpr uint64_t kKept = 256 * kMiB;
constexpr size_t kLength = 64;

// The straight run of RC4 under `key`, keeping only the kLength bytes at each offset.
std::map<uint64_t, std::vector<uint8_t>> StraightRun(const uint8_t key[16],
                                                     const std::vector<uint64_t>& offsets) {
    std::map<uint64_t, std::vector<uint8_t>> expected;
    const uint64_t end = *std::max_element(offsets.begin(), offsets.end()) + kLength;
    arcfour_ctx rc4;
    arcfour_set_key(&rc4, 16, key);
    std::vector<uint8_t> chunk(kMiB);
    for (uint64_t at = 0; at < end; at += kMiB) {
        std::fill(chunk.begin(), chunk.end(), 0);
        arcfour_crypt(&rc4, chunk.size(), chunk.data(), chunk.data());
        for (uint64_t offset : offsets)
            for (size_t i = 0; i < kLength; ++i)
                if (offset + i >= at && offset + i < at + kMiB) {
                    auto& bytes = expected[offset];
                    bytes.resize(kLength);
                    bytes[i] = chunk[offset + i - at];
                }
    }
    return expected;
}

// Each offset, sought in turn by one cursor, gives the bytes a straight run gave there.
void ExpectSeeksGive(sealkit::KeyStreamCursor& cursor, const std::vector<uint64_t>& offsets,
                     std::map<uint64_t, std::vector<uint8_t>>& expected) {
    for (uint64_t offset : offsets) {
        SCOPED_TRACE(offset);
        std::vector<uint8_t> bytes(kLength, 0);
        cursor.Seek(offset);
        cursor.Apply(bytes.data(), bytes.size());
        EXPECT_EQ(bytes, expected[offset]);
    }
}

} // namespace

TEST(KeyStream, EveryOffsetGivesTheBytesRc4GivesThereFarPastTheKeptPart) {
    const uint8_t key[16] = {0x5a, 0x11, 0x93, 0x02, 0x7e};
    const std::vector<uint64_t> offsets = {
        kKept + 5 * kMiB + 3,  0,        kKept - 10,       kKept + 1,        kKept + kMiB - 7,
        kKept + 5 * kMiB + 90, 4 * kMiB, kKept + 2 * kMiB, kKept + 40 * kMiB};
    auto expected = StraightRun(key, offsets);
    sealkit::KeyStreamCursor cursor(sealkit::SharedKeyStream(key));
    ExpectSeeksGive(cursor, offsets, expected);
    // Applied on from a seek, across the end of the kept part.
    std::vector<uint8_t> across(kLength, 0);
    cursor.Seek(kKept - 10);
    cursor.Apply(across.data(), 10);
    cursor.Apply(across.data() + 10, kLength - 10);
    EXPECT_EQ(across, expected[kKept - 10]);
}

// A file read straight through past the kept part (as a decryption does, in pieces
// that do not fall on the stream's blocks) leaves the states that later seeks into
// it start from; they must be the states at those places.
TEST(KeyStream, SeeksAfterAStraightReadFindTheBytesRc4GivesThere) {
    const uint8_t key[16] = {0x33, 0xc4, 0x08, 0x9d, 0x61};
    const uint64_t end = kKept + 6 * kMiB + 500;
    const std::vector<uint64_t> offsets = {kKept + 3 * kMiB + 17, kKept + 7, kKept + kMiB,
                                           kKept + 5 * kMiB - 3, end};
    auto expected = StraightRun(key, offsets);
    sealkit::KeyStreamCursor reader(sealkit::SharedKeyStream(key));
    std::vector<uint8_t> piece(1000 * 1000);
    for (uint64_t at = 0; at < end; at += piece.size())
        reader.Apply(piece.data(), static_cast<size_t>(std::min<uint64_t>(piece.size(), end - at)));
    sealkit::KeyStreamCursor cursor(sealkit::SharedKeyStream(key));
    ExpectSeeksGive(cursor, offsets, expected);
}
