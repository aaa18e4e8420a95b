#pragma once
// Byte ranges of a file, as the in-place writers note what they wrote and sealkit
// re-encrypts just those. Header-only: sealkit uses it too and links against
// nothing of ours.
#include <algorithm>
#include <cstdint>
#include <vector>

namespace platform {

struct ByteRange {
    uint64_t offset = 0;
    uint64_t length = 0;
};

// `ranges` sorted, cut at `end`, with empty ones dropped and those that overlap or
// touch joined.
inline std::vector<ByteRange> MergeRanges(std::vector<ByteRange> ranges,
                                          uint64_t end = UINT64_MAX) {
    std::sort(ranges.begin(), ranges.end(),
              [](const ByteRange& a, const ByteRange& b) { return a.offset < b.offset; });
    std::vector<ByteRange> merged;
    for (const ByteRange& range : ranges) {
        if (range.offset >= end) break;
        const uint64_t stop = range.offset + std::min(range.length, end - range.offset);
        if (stop == range.offset) continue;
        if (!merged.empty() && range.offset <= merged.back().offset + merged.back().length) {
            ByteRange& last = merged.back();
            last.length = std::max(last.offset + last.length, stop) - last.offset;
        } else {
            merged.push_back(ByteRange{range.offset, stop - range.offset});
        }
    }
    return merged;
}

} // namespace platform
