#include "platform/gbk_tables.h"

#include <atomic>
#include <iconv.h>
#include <string_view>

namespace platform {
namespace {

// Each converter is opened once per thread; iconv keeps no state between characters
// of these encodings once reset.
class OneCharacter {
public:
    OneCharacter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~OneCharacter() {
        if (Usable()) iconv_close(cd_);
    }
    OneCharacter(const OneCharacter&) = delete;
    OneCharacter& operator=(const OneCharacter&) = delete;

    // The whole of `in` converted, or empty when iconv refuses any of it.
    std::string_view Convert(std::string_view in, char* out, size_t outSize) {
        if (!Usable()) return {};
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        char* dst = out;
        size_t dstLeft = outSize;
        if (iconv(cd_, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1) ||
            iconv(cd_, nullptr, nullptr, &dst, &dstLeft) == static_cast<size_t>(-1))
            return {};
        return {out, outSize - dstLeft};
    }

private:
    bool Usable() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t cd_;
};

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

char16_t AskToUnicode(uint16_t code) {
    const int lead = code >> 8, trail = code & 0xFF;
    if (lead < 0x81 || lead > 0xFE || trail < 0x40 || trail > 0xFE || trail == 0x7F) return 0;
    thread_local OneCharacter fromGbk("UTF-8", "GBK");
    const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    char out[16];
    return SingleBmpCharacter(fromGbk.Convert(std::string_view(in, 2), out, sizeof out));
}

uint16_t AskToGbk(char16_t cp) {
    if (cp < 0x80 || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    thread_local OneCharacter toGbk("GBK", "UTF-8");
    char in[3];
    const char* end = PutUtf8(cp, in);
    char out[16];
    const std::string_view gbk = toGbk.Convert(std::string_view(in, end - in), out, sizeof out);
    if (gbk.size() != 2) return 0;
    return static_cast<uint16_t>(static_cast<unsigned char>(gbk[0]) << 8 |
                                 static_cast<unsigned char>(gbk[1]));
}

// Entries hold the answer with bit 16 set, or 0 while not yet asked (a static array
// starts zeroed, so nothing is filled up front). Threads that meet an entry at once
// both ask and store the same answer.
std::atomic<uint32_t> gToUnicode[0x10000];
std::atomic<uint32_t> gToGbk[0x10000];
constexpr uint32_t kKnown = 0x10000;

} // namespace

char16_t GbkCodeToUnicode(uint16_t code) {
    uint32_t entry = gToUnicode[code].load(std::memory_order_relaxed);
    if (entry == 0) {
        entry = kKnown | AskToUnicode(code);
        gToUnicode[code].store(entry, std::memory_order_relaxed);
    }
    return static_cast<char16_t>(entry & 0xFFFF);
}

uint16_t UnicodeToGbkCode(char16_t cp) {
    uint32_t entry = gToGbk[cp].load(std::memory_order_relaxed);
    if (entry == 0) {
        entry = kKnown | AskToGbk(cp);
        gToGbk[cp].store(entry, std::memory_order_relaxed);
    }
    return static_cast<uint16_t>(entry & 0xFFFF);
}

} // namespace platform
