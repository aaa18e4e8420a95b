#pragma once
// GBK two-byte codes and BMP code points mapped both ways exactly as iconv converts
// them, so that text made only of such characters needs no iconv call. Each entry is
// asked of iconv on its first use in a process: a short run meets few characters.
#include <cstdint>

namespace platform {

// The code point of a two-byte code (lead << 8 | trail); 0 where iconv refuses the
// code or gives anything but one BMP character.
char16_t GbkCodeToUnicode(uint16_t code);
// The two-byte code (lead << 8 | trail) of a code point from U+0080 on; 0 where
// iconv refuses the character or gives anything but two bytes.
uint16_t UnicodeToGbkCode(char16_t cp);

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
