#pragma once
// GBK two-byte codes and BMP code points mapped both ways exactly as iconv converts
// them, so that text made only of such characters needs no iconv call.
#include <array>
#include <cstdint>

namespace platform {

struct GbkTables {
    // Code point of each two-byte code (lead << 8 | trail); 0 where iconv refuses the
    // code or gives anything but one BMP character.
    std::array<char16_t, 0x10000> toUnicode{};
    // Two-byte code (lead << 8 | trail) of each code point from U+0080 on; 0 where
    // iconv refuses the character or gives anything but two bytes.
    std::array<uint16_t, 0x10000> toGbk{};
};

// Built on first use, once per process.
const GbkTables& GbkConversionTables();

// Writes the UTF-8 form of a BMP code point at `out`; returns the end.
inline char* PutUtf8(char16_t cp, char* out) {
    if (cp < 0x80) {
        *out++ = static_cast<char>(cp);
        return out;
    }
    if (cp < 0x800) {
        *out++ = static_cast<char>(0xC0 | cp >> 6);
    } else {
        *out++ = static_cast<char>(0xE0 | cp >> 12);
        *out++ = static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    }
    *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    return out;
}

} // namespace platform
