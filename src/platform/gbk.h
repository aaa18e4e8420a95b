#pragma once
// GBK (code page 936) at the file boundary. Everything in memory is UTF-8; the
// program's byte counts ("at most 10 bytes", C(n) widths) are counts of GBK bytes.
#include <string>
#include <string_view>

namespace platform {

// UTF-8 to GBK bytes. A character GBK cannot hold becomes '?'.
std::string Utf8ToGbk(const std::string& utf8);
// GBK bytes to UTF-8. A byte sequence that forms no GBK character becomes U+FFFD.
std::string GbkToUtf8(const std::string& gbk);

// Whether the GBK bytes come back unchanged from GbkToUtf8 and Utf8ToGbk: ASCII and
// characters that both conversions know; no '?' or U+FFFD on the way.
bool IsGbkRoundTrip(std::string_view gbk);

// Length of the text in GBK bytes.
size_t GbkLength(const std::string& utf8);

// The longest prefix of the UTF-8 text whose GBK form has at most `maxBytes` bytes;
// a character is never cut in half.
std::string CutToGbkBytes(const std::string& utf8, size_t maxBytes);

// The same on raw GBK bytes: at most `maxBytes`, ending on a character boundary.
std::string CutGbkBytes(const std::string& gbk, size_t maxBytes);

// Length in bytes of the GBK character that starts with `lead` (1 or 2).
inline size_t GbkCharLength(unsigned char lead) {
    return lead >= 0x81 && lead <= 0xFE ? 2 : 1;
}

} // namespace platform
