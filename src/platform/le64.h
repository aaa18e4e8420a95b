#pragma once
// 64-bit little-endian numbers inside byte strings, as the undo records of the
// in-place writers hold them. Header-only: sealkit uses it too and links against
// nothing of ours.
#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

inline void AppendLe64(std::string& out, uint64_t v) {
    for (int i = 0; i < 8; ++i)
        out += static_cast<char>(v >> (8 * i));
}

// The number at `at`; the caller has checked that 8 bytes are there.
inline uint64_t ReadLe64(const std::string& in, size_t at) {
    uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(in[at + static_cast<size_t>(i)]);
    return v;
}

} // namespace platform
