#include "platform/gbk.h"

#include "platform/gbk_tables.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <string_view>

namespace platform {
namespace {

// One converter per thread and direction; iconv handles are not thread-safe.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    // Converts, replacing each unconvertible input unit with `replacement`.
    std::string Run(std::string_view in, const std::string& replacement, bool fromGbk) {
        std::string out;
        if (in.empty()) return out;
        out.reserve(in.size() * 2);
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        char buffer[1024];
        while (srcLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<size_t>(dst - buffer));
            if (r != static_cast<size_t>(-1)) continue;
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL: skip one unit of the input.
            size_t skip = 1;
            if (fromGbk) {
                unsigned char lead = static_cast<unsigned char>(*src);
                skip = (GbkCharLength(lead) == 2 && srcLeft >= 2) ? 2 : 1;
                if (skip == 2) {
                    unsigned char trail = static_cast<unsigned char>(src[1]);
                    if (trail < 0x40 || trail == 0x7F || trail == 0xFF) skip = 1;
                }
            } else {
                unsigned char lead = static_cast<unsigned char>(*src);
                skip = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
                if (skip > srcLeft) skip = srcLeft;
            }
            src += skip;
            srcLeft -= skip;
            out += replacement;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    iconv_t cd_;
};

Converter& ToGbk() {
    thread_local Converter c("GBK", "UTF-8");
    return c;
}
Converter& FromGbk() {
    thread_local Converter c("UTF-8", "GBK");
    return c;
}

bool IsAscii(const std::string& s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Converts through the tables if every character is ASCII or one they know; anything
// else (broken or overlong UTF-8, surrogates, characters past the BMP, characters GBK
// lacks) is left to iconv with its replacement rules.
bool Utf8ToGbkByTable(const std::string& utf8, std::string& out) {
    out.resize(utf8.size()); // no character grows
    char* d = out.data();
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const auto* const end = p + utf8.size();
    while (p < end) {
        if (*p < 0x80) {
            *d++ = static_cast<char>(*p++);
            continue;
        }
        char32_t cp;
        if (*p >= 0xC2 && *p <= 0xDF && end - p >= 2 && IsContinuation(p[1])) {
            cp = static_cast<char32_t>((p[0] & 0x1F) << 6 | (p[1] & 0x3F));
            p += 2;
        } else if (*p >= 0xE0 && *p <= 0xEF && end - p >= 3 && IsContinuation(p[1]) &&
                   IsContinuation(p[2])) {
            cp = static_cast<char32_t>((p[0] & 0x0F) << 12 | (p[1] & 0x3F) << 6 | (p[2] & 0x3F));
            if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
            p += 3;
        } else {
            return false;
        }
        const uint16_t code = UnicodeToGbkCode(static_cast<char16_t>(cp));
        if (code == 0) return false;
        *d++ = static_cast<char>(code >> 8);
        *d++ = static_cast<char>(code & 0xFF);
    }
    out.resize(static_cast<size_t>(d - out.data()));
    return true;
}

// The same the other way for the first `end` bytes, the rest copied: every byte from
// 0x80 on must start a two-byte code the tables know.
bool GbkToUtf8ByTable(const std::string& gbk, size_t end, std::string& out) {
    out.resize(end + end / 2 + (gbk.size() - end)); // two bytes give at most three
    char* d = out.data();
    const auto* p = reinterpret_cast<const unsigned char*>(gbk.data());
    const auto* const stop = p + end;
    while (p < stop) {
        if (*p < 0x80) {
            *d++ = static_cast<char>(*p++);
            continue;
        }
        if (stop - p < 2) return false;
        const char16_t cp = GbkCodeToUnicode(static_cast<uint16_t>(p[0] << 8 | p[1]));
        if (cp == 0) return false;
        p += 2;
        d = PutUtf8(cp, d);
    }
    d = std::copy(gbk.begin() + static_cast<std::ptrdiff_t>(end), gbk.end(), d);
    out.resize(static_cast<size_t>(d - out.data()));
    return true;
}

} // namespace

std::string Utf8ToGbk(const std::string& utf8) {
    if (IsAscii(utf8)) return utf8;
    std::string out;
    if (Utf8ToGbkByTable(utf8, out)) return out;
    return ToGbk().Run(utf8, "?", false);
}

std::string GbkToUtf8(const std::string& gbk) {
    // Fields come padded with blanks: only the text up to its last double-byte
    // character, and the byte after it (its trail may look like ASCII), needs converting.
    size_t last = gbk.size();
    while (last > 0 && static_cast<unsigned char>(gbk[last - 1]) < 0x80)
        --last;
    if (last == 0) return gbk;
    const size_t end = std::min(gbk.size(), last + 1);
    std::string out;
    if (GbkToUtf8ByTable(gbk, end, out)) return out;
    out = FromGbk().Run(std::string_view(gbk).substr(0, end), "\xEF\xBF\xBD", true);
    out.append(gbk, end, std::string::npos);
    return out;
}

bool IsGbkRoundTrip(std::string_view gbk) {
    // A code survives when it converts to a character that converts back to it.
    for (size_t i = 0; i < gbk.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(gbk[i]);
        if (c < 0x80) continue;
        if (i + 1 == gbk.size()) return false;
        const auto code = static_cast<uint16_t>(c << 8 | static_cast<unsigned char>(gbk[i + 1]));
        const char16_t cp = GbkCodeToUnicode(code);
        if (cp == 0 || UnicodeToGbkCode(cp) != code) return false;
        ++i;
    }
    return true;
}

size_t GbkLength(const std::string& utf8) {
    return Utf8ToGbk(utf8).size();
}

std::string CutGbkBytes(const std::string& gbk, size_t maxBytes) {
    size_t pos = 0;
    while (pos < gbk.size()) {
        size_t len = GbkCharLength(static_cast<unsigned char>(gbk[pos]));
        if (pos + len > maxBytes || pos + len > gbk.size()) break;
        pos += len;
    }
    return gbk.substr(0, pos);
}

std::string CutToGbkBytes(const std::string& utf8, size_t maxBytes) {
    size_t used = 0, pos = 0;
    while (pos < utf8.size()) {
        unsigned char lead = static_cast<unsigned char>(utf8[pos]);
        size_t len = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (pos + len > utf8.size()) len = utf8.size() - pos;
        size_t bytes = len == 1 ? 1 : Utf8ToGbk(utf8.substr(pos, len)).size();
        if (used + bytes > maxBytes) break;
        used += bytes;
        pos += len;
    }
    return utf8.substr(0, pos);
}

} // namespace platform
