// The table conversions against iconv itself: the converter below is the one the
// functions used for every string before the tables, kept here as the measure.
#include "platform/gbk.h"
#include "platform/gbk_tables.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <iconv.h>
#include <random>
#include <string>
#include <vector>

using namespace platform;

namespace {

std::string Iconv(const char* to, const char* from, const std::string& in,
                  const std::string& replacement, bool fromGbk) {
    std::string out;
    if (in.empty()) return out;
    const iconv_t cd = iconv_open(to, from);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char buffer[1024];
    while (srcLeft > 0) {
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<size_t>(dst - buffer));
        if (r != static_cast<size_t>(-1) || errno == E2BIG) continue;
        size_t skip = 1;
        const unsigned char lead = static_cast<unsigned char>(*src);
        if (fromGbk) {
            skip = (GbkCharLength(lead) == 2 && srcLeft >= 2) ? 2 : 1;
            if (skip == 2) {
                const unsigned char trail = static_cast<unsigned char>(src[1]);
                if (trail < 0x40 || trail == 0x7F || trail == 0xFF) skip = 1;
            }
        } else {
            skip = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
            if (skip > srcLeft) skip = srcLeft;
        }
        src += skip;
        srcLeft -= skip;
        out += replacement;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

std::string IconvToGbk(const std::string& utf8) {
    return Iconv("GBK", "UTF-8", utf8, "?", false);
}
std::string IconvToUtf8(const std::string& gbk) {
    return Iconv("UTF-8", "GBK", gbk, "\xEF\xBF\xBD", true);
}

std::string Code(int lead, int trail) {
    return {static_cast<char>(lead), static_cast<char>(trail)};
}

std::string Utf8(char32_t cp) {
    std::string s;
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | cp >> 6);
    } else if (cp < 0x10000) {
        s += static_cast<char>(0xE0 | cp >> 12);
    } else {
        s += static_cast<char>(0xF0 | cp >> 18);
        s += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
    }
    if (cp >= 0x800) s += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    if (cp >= 0x80) s += static_cast<char>(0x80 | (cp & 0x3F));
    return s;
}

} // namespace

TEST(GbkTable, EveryTwoByteCodeConvertsAsIconvDoes) {
    // Inside text and at its end, so that a refused code or a trail that is no
    // trail meets the replacement rules in both places.
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
        for (int trail = 0x00; trail <= 0xFF; ++trail) {
            const std::string code = Code(lead, trail);
            for (const std::string& gbk : {"a" + code + "b  ", "\xB1\xE0" + code}) {
                ASSERT_EQ(GbkToUtf8(gbk), IconvToUtf8(gbk)) << std::hex << lead << " " << trail;
            }
            // Only lead and trail bytes make a code that can come back; "\x80" + ASCII
            // does too, but as two characters.
            const bool twoByte = lead >= 0x81 && lead <= 0xFE && trail >= 0x40 && trail <= 0xFE;
            const std::string utf8 = IconvToUtf8(code);
            if (twoByte) {
                // The table knows every code iconv turns into one character.
                const bool refused = utf8.find("\xEF\xBF\xBD") != std::string::npos;
                const char16_t cp = GbkCodeToUnicode(static_cast<uint16_t>(lead << 8 | trail));
                ASSERT_EQ(cp == 0 ? "" : Utf8(cp), refused ? "" : utf8)
                    << std::hex << lead << " " << trail;
            }
            const bool roundTrip = twoByte && utf8.find("\xEF\xBF\xBD") == std::string::npos &&
                                   IconvToGbk(utf8) == code;
            ASSERT_EQ(IsGbkRoundTrip(code), roundTrip) << std::hex << lead << " " << trail;
            ASSERT_EQ(IsGbkRoundTrip("x" + code + "y"), roundTrip);
        }
    }
}

TEST(GbkTable, EveryBmpCharacterConvertsAsIconvDoes) {
    for (char32_t cp = 0x80; cp <= 0xFFFF; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) continue;
        const std::string utf8 = Utf8(cp);
        // The table knows every character iconv turns into a two-byte code.
        const std::string gbk = IconvToGbk(utf8);
        const uint16_t code = UnicodeToGbkCode(static_cast<char16_t>(cp));
        ASSERT_EQ(code == 0 ? "" : Code(code >> 8, code & 0xFF), gbk.size() == 2 ? gbk : "")
            << std::hex << cp;
        for (const std::string& text : {"a" + utf8 + "b", "编" + utf8}) {
            ASSERT_EQ(Utf8ToGbk(text), IconvToGbk(text)) << std::hex << cp;
        }
        ASSERT_EQ(GbkLength(utf8), IconvToGbk(utf8).size()) << std::hex << cp;
    }
}

TEST(GbkTable, AsciiBetweenCharactersIsCopied) {
    for (int c = 0x00; c < 0x80; ++c) {
        const std::string utf8 = "编" + std::string(1, static_cast<char>(c)) + "码";
        const std::string gbk = IconvToGbk(utf8);
        EXPECT_EQ(Utf8ToGbk(utf8), gbk) << c;
        EXPECT_EQ(GbkToUtf8(gbk), IconvToUtf8(gbk)) << c;
    }
}

TEST(GbkTable, BrokenTextKeepsTheReplacementRules) {
    const std::string bian = "\xB1\xE0"; // 编
    const std::vector<std::string> gbkCases = {
        bian + "\x81",           // a lone lead at the end
        bian + "\x81" + "   ",   // a lead before padding
        "ab\x80" + bian,         // 0x80, which iconv reads as one byte
        bian + "\xFF" + bian,    // 0xFF
        "\xFF\xA1",              // 0xFF before a trail
        bian + "\xAA\xA1" + "x", // a code iconv refuses
        "\xA1\x40\xA6\xD9" + bian,
        bian + "\xB1\x7F" + bian, // 0x7F is no trail
        bian + "\xB1\x3F" + bian, // neither is 0x3F
        std::string("\xB1\xE0\0\xB1\xE0", 5),
    };
    for (const auto& gbk : gbkCases)
        EXPECT_EQ(GbkToUtf8(gbk), IconvToUtf8(gbk)) << ::testing::PrintToString(gbk);

    const std::vector<std::string> utf8Cases = {
        "编\x80码",   // a stray continuation byte
        "编\xE7\xBC", // a character cut short at the end
        "编\xE7\xBC"
        "a码",        // and inside
        "\xC0\x80编", // overlong forms
        "\xE0\x80\xAF编",
        "\xE0\x82\xB7编", // a character GBK has (·), written overlong
        "\xC1\xBF编",
        "\xED\xA0\x80编",       // a surrogate
        "编\xF0\x9F\x98\x80码", // past the BMP
        "编\xF4\x90\x80\x80",   // past Unicode
        "编가码",               // a character GBK lacks
        "价€",                  // one iconv gives a single byte
        "编\xFF\xFE",
    };
    for (const auto& utf8 : utf8Cases) {
        EXPECT_EQ(Utf8ToGbk(utf8), IconvToGbk(utf8)) << ::testing::PrintToString(utf8);
        EXPECT_EQ(GbkLength(utf8), IconvToGbk(utf8).size()) << ::testing::PrintToString(utf8);
    }
}

TEST(GbkTable, MixedTextConvertsAsIconvDoes) {
    // Random strings of pieces that each take one of the paths.
    const std::vector<std::string> gbkPieces = {
        "a",    "  ",       "\xB1\xE0", "\x81\x40", "\xFE\x4F", "\x81", "\x80",
        "\xFF", "\xAA\xA1", "\xA2\xA1", "\xB1\x7F", "\0",       "@"};
    const std::vector<std::string> utf8Pieces = {"a",
                                                 "  ",
                                                 "编",
                                                 "·",
                                                 "é",
                                                 "\xC2\x80",
                                                 "\xE7",
                                                 "\xBC",
                                                 "\xF0\x9F\x98\x80",
                                                 "가",
                                                 "€",
                                                 "\xED\xA0\x80",
                                                 "\xC0\xAF",
                                                 "\xE0\x82\xB7",
                                                 "\xEF\xBF\xBF",
                                                 "\xEF\xBF\xBD"};
    std::mt19937 random(7);
    const auto make = [&](const std::vector<std::string>& pieces) {
        std::string s;
        const int count = static_cast<int>(random() % 8);
        for (int i = 0; i < count; ++i)
            s += pieces[random() % pieces.size()];
        return s;
    };
    for (int i = 0; i < 20000; ++i) {
        const std::string gbk = make(gbkPieces);
        ASSERT_EQ(GbkToUtf8(gbk), IconvToUtf8(gbk)) << ::testing::PrintToString(gbk);
        const std::string utf8 = make(utf8Pieces);
        ASSERT_EQ(Utf8ToGbk(utf8), IconvToGbk(utf8)) << ::testing::PrintToString(utf8);
    }
}
