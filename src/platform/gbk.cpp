#include "platform/gbk.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <string_view>
#include <vector>

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

} // namespace

std::string Utf8ToGbk(const std::string& utf8) {
    if (IsAscii(utf8)) return utf8;
    return ToGbk().Run(utf8, "?", false);
}

std::string GbkToUtf8(const std::string& gbk) {
    // Fields come padded with blanks: only the text up to its last double-byte
    // character, and the byte after it (its trail may look like ASCII), needs iconv.
    size_t last = gbk.size();
    while (last > 0 && static_cast<unsigned char>(gbk[last - 1]) < 0x80)
        --last;
    if (last == 0) return gbk;
    const size_t end = std::min(gbk.size(), last + 1);
    std::string out = FromGbk().Run(std::string_view(gbk).substr(0, end), "\xEF\xBF\xBD", true);
    out.append(gbk, end, std::string::npos);
    return out;
}

bool IsGbkRoundTrip(std::string_view gbk) {
    // Which two-byte codes survive both conversions, found once by converting each.
    static const std::vector<bool> known = [] {
        std::vector<bool> table(0x10000, false);
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
                const std::string utf8 = GbkToUtf8(code);
                table[static_cast<size_t>(lead << 8 | trail)] =
                    utf8.find("\xEF\xBF\xBD") == std::string::npos && Utf8ToGbk(utf8) == code;
            }
        }
        return table;
    }();
    for (size_t i = 0; i < gbk.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(gbk[i]);
        if (c < 0x80) continue;
        if (i + 1 == gbk.size() ||
            !known[static_cast<size_t>(c << 8 | static_cast<unsigned char>(gbk[i + 1]))])
            return false;
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
