#include "platform/gbk_tables.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <string>
#include <string_view>
#include <vector>

namespace platform {
namespace {

// Items are converted joined by a newline, which both encodings keep as it is: the
// output splits back into one piece per item, and a refused item comes out empty.
// The refusals are many towards GBK, and each costs iconv a restart of its whole
// chunk there, so that direction lets iconv skip them itself (//IGNORE).
constexpr char kSeparator = '\n';

std::vector<std::string_view> ConvertItems(const char* to, const char* from,
                                           const std::string& joined, std::string& out) {
    std::vector<std::string_view> pieces;
    const iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return pieces;
    out.assign(joined.size() * 2, '\0');
    char* src = const_cast<char*>(joined.data());
    size_t srcLeft = joined.size();
    char* dst = out.data();
    size_t dstLeft = out.size();
    while (srcLeft > 0) {
        const char* const start = src;
        if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1)) continue;
        if (errno == E2BIG) break;
        // Stopped after converting some: go on from there. Stopped at once: the item
        // there is refused; drop what is left of it.
        if (src != start) continue;
        const auto* next = static_cast<const char*>(std::memchr(src, kSeparator, srcLeft));
        size_t skip = next ? static_cast<size_t>(next - src) : srcLeft;
        if (skip == 0) skip = 1;
        src += skip;
        srcLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    if (srcLeft > 0) return pieces;
    out.resize(out.size() - dstLeft);
    std::string_view rest(out);
    while (!rest.empty()) {
        const size_t end = rest.find(kSeparator);
        if (end == std::string_view::npos) break;
        pieces.push_back(rest.substr(0, end));
        rest.remove_prefix(end + 1);
    }
    return pieces;
}

// The code point of UTF-8 text that is one character of the BMP, else 0.
char16_t SingleBmpCharacter(std::string_view utf8) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(utf8[i]); };
    if (utf8.size() == 1 && byte(0) < 0x80) return byte(0);
    if (utf8.size() == 2 && byte(0) >= 0xC0 && byte(0) < 0xE0)
        return static_cast<char16_t>((byte(0) & 0x1F) << 6 | (byte(1) & 0x3F));
    if (utf8.size() == 3 && byte(0) >= 0xE0 && byte(0) < 0xF0)
        return static_cast<char16_t>((byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 |
                                     (byte(2) & 0x3F));
    return 0;
}

void FillToUnicode(GbkTables& tables) {
    std::vector<uint16_t> codes;
    std::string joined;
    codes.reserve(126 * 190);
    joined.reserve(126 * 190 * 3);
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            codes.push_back(static_cast<uint16_t>(lead << 8 | trail));
            joined += static_cast<char>(lead);
            joined += static_cast<char>(trail);
            joined += kSeparator;
        }
    }
    std::string out;
    const auto pieces = ConvertItems("UTF-8", "GBK", joined, out);
    if (pieces.size() != codes.size()) return;
    for (size_t i = 0; i < codes.size(); ++i)
        tables.toUnicode[codes[i]] = SingleBmpCharacter(pieces[i]);
}

void FillToGbk(GbkTables& tables) {
    std::vector<char16_t> points;
    std::string joined;
    points.reserve(0x10000);
    joined.reserve(0x10000 * 4);
    for (char32_t cp = 0x80; cp <= 0xFFFF; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) continue;
        points.push_back(static_cast<char16_t>(cp));
        char utf8[4];
        joined.append(utf8, PutUtf8(static_cast<char16_t>(cp), utf8));
        joined += kSeparator;
    }
    std::string out;
    const auto pieces = ConvertItems("GBK//IGNORE", "UTF-8", joined, out);
    if (pieces.size() != points.size()) return;
    for (size_t i = 0; i < points.size(); ++i) {
        if (pieces[i].size() != 2) continue;
        tables.toGbk[points[i]] = static_cast<uint16_t>(
            static_cast<unsigned char>(pieces[i][0]) << 8 | static_cast<unsigned char>(pieces[i][1]));
    }
}

} // namespace

const GbkTables& GbkConversionTables() {
    static GbkTables tables;
    static const bool built = [] {
        FillToUnicode(tables);
        FillToGbk(tables);
        return true;
    }();
    (void)built;
    return tables;
}

} // namespace platform
