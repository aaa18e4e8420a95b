#include "foxdb/sql_lexer.h"

#include "foxdb/error.h"
#include "platform/gbk.h"

#include <cstdlib>

namespace foxdb::sql {
namespace {

bool IsIdentStart(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80;
}
bool IsIdentPart(unsigned char c) {
    return IsIdentStart(c) || (c >= '0' && c <= '9');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Offset of the first byte that is not part of valid UTF-8, or npos.
size_t FindInvalidUtf8(const std::string& s) {
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size()) return i;
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return i;
        i += n;
    }
    return std::string::npos;
}

// Reads "y-m-d" (strict) or "m/d/y" (the driver's SET DATE AMERICAN) into a day
// number; blanks, separators only, or an impossible date give the empty date.
Date ParseDateText(std::string text, bool strict) {
    std::string digits;
    int parts[3] = {0, 0, 0};
    int count = 0;
    bool inNumber = false;
    for (char c : text) {
        if (IsDigit(c)) {
            if (!inNumber) {
                if (count == 3) return Date{};
                ++count;
                inNumber = true;
            }
            parts[count - 1] = parts[count - 1] * 10 + (c - '0');
            if (parts[count - 1] > 99999) return Date{};
        } else {
            inNumber = false;
        }
    }
    if (count != 3) return Date{};
    int y, m, d;
    if (strict) {
        y = parts[0], m = parts[1], d = parts[2];
    } else {
        m = parts[0], d = parts[1], y = parts[2];
        if (y < 100) y += y < 50 ? 2000 : 1900;
    }
    if (!IsValidCivil(y, m, d)) return Date{};
    return Date{JulianDayFromCivil(y, m, d)};
}

std::string Upper(const std::string& s) {
    std::string r = s;
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return r;
}

} // namespace

bool EqualsNoCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
        if (x != y) return false;
    }
    return i == a.size() && b[i] == 0;
}

void ThrowSyntax(size_t pos, const std::string& what) {
    throw Error(ErrorKind::Syntax,
                "Syntax error near '" + what + "' at position " + std::to_string(pos + 1) + ".");
}

std::vector<Token> Tokenize(const std::string& s) {
    if (s.size() > kMaxStatementBytes)
        throw Error(ErrorKind::Syntax, "Statement too long: " + std::to_string(s.size()) +
                                           " bytes (at most " + std::to_string(kMaxStatementBytes) +
                                           ").");
    size_t bad = FindInvalidUtf8(s);
    if (bad != std::string::npos)
        throw Error(ErrorKind::Syntax,
                    "Statement text is not valid at position " + std::to_string(bad + 1) + ".");
    std::vector<Token> tokens;
    size_t i = 0;
    const size_t n = s.size();
    auto snippet = [&](size_t at) {
        size_t end = std::min(n, at + 20);
        while (end < n && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80)
            ++end;
        return s.substr(at, end - at);
    };
    while (i < n) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        Token t;
        t.pos = i;
        if (IsIdentStart(c)) {
            size_t j = i;
            while (j < n && IsIdentPart(static_cast<unsigned char>(s[j])))
                ++j;
            t.kind = Token::Identifier;
            t.text = s.substr(i, j - i);
            i = j;
        } else if (IsDigit(s[i]) || (s[i] == '.' && i + 1 < n && IsDigit(s[i + 1]))) {
            size_t j = i;
            while (j < n && IsDigit(s[j]))
                ++j;
            bool fraction = false;
            if (j < n && s[j] == '.' && !(j + 1 < n && IsIdentStart(s[j + 1]))) {
                fraction = true;
                ++j;
                while (j < n && IsDigit(s[j]))
                    ++j;
            }
            t.kind = Token::Number;
            t.text = s.substr(i, j - i);
            if (fraction || t.text.size() > 18)
                t.value = std::strtod(t.text.c_str(), nullptr);
            else
                t.value = static_cast<int64_t>(std::strtoll(t.text.c_str(), nullptr, 10));
            i = j;
        } else if (c == '\'' || c == '"') {
            size_t close = s.find(static_cast<char>(c), i + 1);
            if (close == std::string::npos) ThrowSyntax(i, "unclosed quote: " + snippet(i));
            std::string utf8 = s.substr(i + 1, close - i - 1);
            std::string gbk = platform::Utf8ToGbk(utf8);
            if (platform::GbkToUtf8(gbk) != utf8)
                ThrowSyntax(i, "text with characters the tables cannot hold: " + snippet(i));
            t.kind = Token::String;
            t.text = gbk;
            i = close + 1;
        } else if (c == '{') {
            size_t close = s.find('}', i + 1);
            if (close == std::string::npos) ThrowSyntax(i, snippet(i));
            std::string body = s.substr(i + 1, close - i - 1);
            size_t k = 0;
            while (k < body.size() && body[k] == ' ')
                ++k;
            bool strict = k < body.size() && body[k] == '^';
            if (!strict && k + 1 < body.size() && (body[k] == 'd' || body[k] == 'D') &&
                body[k + 1] == ' ')
                strict = true; // ODBC {d 'yyyy-mm-dd'}
            for (char ch : body)
                if (!(IsDigit(ch) || ch == ' ' || ch == '^' || ch == '-' || ch == '/' ||
                      ch == '.' || ch == '\'' || ch == 'd' || ch == 'D'))
                    ThrowSyntax(i, s.substr(i, close - i + 1));
            t.kind = Token::DateLit;
            t.value = ParseDateText(body, strict);
            t.text = s.substr(i, close - i + 1);
            i = close + 1;
        } else if (c == '.' && i + 2 < n) {
            size_t close = s.find('.', i + 1);
            std::string word =
                close == std::string::npos ? "" : Upper(s.substr(i + 1, close - i - 1));
            if (word == "T" || word == "Y") {
                t.kind = Token::Logical;
                t.value = true;
            } else if (word == "F" || word == "N") {
                t.kind = Token::Logical;
                t.value = false;
            } else if (word == "NULL") {
                t.kind = Token::NullLit;
            } else {
                t.kind = Token::Symbol;
                t.text = ".";
                tokens.push_back(t);
                ++i;
                continue;
            }
            t.text = s.substr(i, close - i + 1);
            i = close + 1;
        } else if (c == ';') {
            ThrowSyntax(i, "; (one statement at a time)");
        } else {
            static const char* const kTwo[] = {"==", "!=", "<>", "<=", ">=", "**"};
            t.kind = Token::Symbol;
            for (const char* two : kTwo)
                if (s.compare(i, 2, two) == 0) t.text = two;
            if (t.text.empty()) {
                if (std::string("=<>#!$+-*/%(),.^").find(static_cast<char>(c)) == std::string::npos)
                    ThrowSyntax(i, snippet(i));
                t.text = std::string(1, static_cast<char>(c));
            }
            i += t.text.size();
        }
        tokens.push_back(std::move(t));
    }
    Token end;
    end.kind = Token::End;
    end.pos = n;
    tokens.push_back(end);
    return tokens;
}

} // namespace foxdb::sql
