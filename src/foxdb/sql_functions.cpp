#include "foxdb/sql_functions.h"

#include "foxdb/value.h"
#include "platform/gbk.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <sqlite3.h>
#include <string_view>

namespace foxdb::sql {
namespace {

using platform::GbkCharLength;

std::string_view Bytes(sqlite3_value* v) {
    const char* p = static_cast<const char*>(sqlite3_value_blob(v));
    return {p ? p : "", static_cast<size_t>(sqlite3_value_bytes(v))};
}

bool AnyNull(int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return true;
    return false;
}

void ResultBytes(sqlite3_context* ctx, std::string_view s) {
    sqlite3_result_blob(ctx, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
}

// 1-based byte position of the k-th occurrence of needle that starts on a
// character boundary, 0 when there is none.
long long FindAt(std::string_view needle, std::string_view hay, long long k) {
    if (needle.empty() || k < 1) return 0;
    for (size_t i = 0; i + needle.size() <= hay.size();
         i += GbkCharLength(static_cast<unsigned char>(hay[i]))) {
        if (hay.compare(i, needle.size(), needle) == 0 && --k == 0)
            return static_cast<long long>(i) + 1;
    }
    return 0;
}

#define FOX_FN(name) void name(sqlite3_context* ctx, int argc, sqlite3_value** argv)
#define NULL_IN_NULL_OUT                                                                           \
    if (AnyNull(argc, argv)) return sqlite3_result_null(ctx)

FOX_FN(Pad) {
    NULL_IN_NULL_OUT;
    std::string s(Bytes(argv[0]));
    long long w = sqlite3_value_int64(argv[1]);
    if (static_cast<long long>(s.size()) < w) s.append(static_cast<size_t>(w) - s.size(), ' ');
    ResultBytes(ctx, s);
}

FOX_FN(RTrim) {
    NULL_IN_NULL_OUT;
    std::string_view s = Bytes(argv[0]);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    ResultBytes(ctx, s);
}

FOX_FN(LTrim) {
    NULL_IN_NULL_OUT;
    std::string_view s = Bytes(argv[0]);
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    ResultBytes(ctx, s);
}

FOX_FN(AllTrim) {
    NULL_IN_NULL_OUT;
    std::string_view s = Bytes(argv[0]);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    ResultBytes(ctx, s);
}

FOX_FN(Substr) {
    NULL_IN_NULL_OUT;
    std::string_view s = Bytes(argv[0]);
    long long start = sqlite3_value_int64(argv[1]);
    if (start < 1) start = 1;
    if (start > static_cast<long long>(s.size())) return ResultBytes(ctx, "");
    std::string_view rest = s.substr(static_cast<size_t>(start - 1));
    if (argc > 2) {
        long long n = sqlite3_value_int64(argv[2]);
        if (n <= 0) return ResultBytes(ctx, "");
        if (n < static_cast<long long>(rest.size())) rest = rest.substr(0, static_cast<size_t>(n));
    }
    ResultBytes(ctx, rest);
}

FOX_FN(Left) {
    NULL_IN_NULL_OUT;
    std::string_view s = Bytes(argv[0]);
    long long n = sqlite3_value_int64(argv[1]);
    if (n <= 0) return ResultBytes(ctx, "");
    ResultBytes(ctx, s.substr(0, static_cast<size_t>(std::min<long long>(n, s.size()))));
}

FOX_FN(Right) {
    NULL_IN_NULL_OUT;
    std::string_view s = Bytes(argv[0]);
    long long n = sqlite3_value_int64(argv[1]);
    if (n <= 0) return ResultBytes(ctx, "");
    if (n >= static_cast<long long>(s.size())) return ResultBytes(ctx, s);
    ResultBytes(ctx, s.substr(s.size() - static_cast<size_t>(n)));
}

void MapCase(sqlite3_context* ctx, sqlite3_value* v, bool upper) {
    std::string s(Bytes(v));
    for (size_t i = 0; i < s.size();) {
        size_t len = GbkCharLength(static_cast<unsigned char>(s[i]));
        if (len == 1) {
            char& c = s[i];
            if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
            if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        }
        i += len;
    }
    ResultBytes(ctx, s);
}

FOX_FN(Upper) {
    NULL_IN_NULL_OUT;
    MapCase(ctx, argv[0], true);
}

FOX_FN(Lower) {
    NULL_IN_NULL_OUT;
    MapCase(ctx, argv[0], false);
}

FOX_FN(Len) {
    NULL_IN_NULL_OUT;
    sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(Bytes(argv[0]).size()));
}

FOX_FN(At) {
    NULL_IN_NULL_OUT;
    long long k = argc > 2 ? sqlite3_value_int64(argv[2]) : 1;
    sqlite3_result_int64(ctx, FindAt(Bytes(argv[0]), Bytes(argv[1]), k));
}

FOX_FN(Contains) {
    NULL_IN_NULL_OUT;
    std::string_view needle = Bytes(argv[0]);
    sqlite3_result_int(ctx, needle.empty() || FindAt(needle, Bytes(argv[1]), 1) > 0);
}

FOX_FN(Str) {
    NULL_IN_NULL_OUT;
    double n = sqlite3_value_double(argv[0]);
    long long len = argc > 1 ? sqlite3_value_int64(argv[1]) : 10;
    long long dec = argc > 2 ? sqlite3_value_int64(argv[2]) : 0;
    if (len < 1 || len > 255) len = 10;
    if (dec < 0) dec = 0;
    if (dec > 18) dec = 18;
    // Too wide: decimals go first, then the whole field turns to asterisks.
    for (long long d = dec; d >= 0; --d) {
        char buf[400];
        std::snprintf(buf, sizeof buf, "%.*f", static_cast<int>(d),
                      RoundHalfAway(n, static_cast<int>(d)));
        std::string s = buf;
        if (static_cast<long long>(s.size()) <= len) {
            s.insert(0, static_cast<size_t>(len) - s.size(), ' ');
            return ResultBytes(ctx, s);
        }
    }
    ResultBytes(ctx, std::string(static_cast<size_t>(len), '*'));
}

FOX_FN(Val) {
    NULL_IN_NULL_OUT;
    std::string_view s = Bytes(argv[0]);
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
        ++i;
    std::string number;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) number += s[i++];
    bool dot = false;
    while (i < s.size() && ((s[i] >= '0' && s[i] <= '9') || (s[i] == '.' && !dot))) {
        if (s[i] == '.') dot = true;
        number += s[i++];
    }
    sqlite3_result_double(ctx, std::strtod(number.c_str(), nullptr));
}

std::string DateText(long long jd, bool yyyymmdd) {
    if (jd <= 0) return yyyymmdd ? std::string(8, ' ') : "  /  /  ";
    int y, m, d;
    CivilFromJulianDay(static_cast<int32_t>(jd), y, m, d);
    char buf[32];
    if (yyyymmdd)
        std::snprintf(buf, sizeof buf, "%04d%02d%02d", y, m, d);
    else
        std::snprintf(buf, sizeof buf, "%02d/%02d/%02d", m, d, y % 100);
    return buf;
}

FOX_FN(Dtoc) {
    NULL_IN_NULL_OUT;
    bool yyyymmdd = argc > 1 && sqlite3_value_int64(argv[1]) == 1;
    ResultBytes(ctx, DateText(sqlite3_value_int64(argv[0]), yyyymmdd));
}

FOX_FN(Dtos) {
    NULL_IN_NULL_OUT;
    ResultBytes(ctx, DateText(sqlite3_value_int64(argv[0]), true));
}

// mm/dd/yy or mm/dd/yyyy (the driver's SET DATE AMERICAN); anything else is
// the empty date, as SET STRICTDATE TO 0 gives it.
FOX_FN(Ctod) {
    NULL_IN_NULL_OUT;
    std::string_view s = Bytes(argv[0]);
    int parts[3] = {0, 0, 0};
    int count = 0, digits = 0;
    for (char c : s) {
        if (c >= '0' && c <= '9') {
            if (digits == 0 && ++count > 3) return sqlite3_result_int(ctx, 0);
            parts[count - 1] = parts[count - 1] * 10 + (c - '0');
            if (++digits > 4) return sqlite3_result_int(ctx, 0);
        } else if (c == '/' || c == '-' || c == '.' || c == ' ') {
            digits = 0;
        } else {
            return sqlite3_result_int(ctx, 0);
        }
    }
    if (count != 3) return sqlite3_result_int(ctx, 0);
    int y = parts[2] < 100 ? parts[2] + (parts[2] < 50 ? 2000 : 1900) : parts[2];
    if (!IsValidCivil(y, parts[0], parts[1])) return sqlite3_result_int(ctx, 0);
    sqlite3_result_int64(ctx, JulianDayFromCivil(y, parts[0], parts[1]));
}

void DatePart(sqlite3_context* ctx, sqlite3_value* v, int which) {
    long long jd = sqlite3_value_int64(v);
    if (jd <= 0) return sqlite3_result_int(ctx, 0);
    int part[3];
    CivilFromJulianDay(static_cast<int32_t>(jd), part[0], part[1], part[2]);
    sqlite3_result_int(ctx, part[which]);
}

FOX_FN(Year) {
    NULL_IN_NULL_OUT;
    DatePart(ctx, argv[0], 0);
}
FOX_FN(Month) {
    NULL_IN_NULL_OUT;
    DatePart(ctx, argv[0], 1);
}
FOX_FN(Day) {
    NULL_IN_NULL_OUT;
    DatePart(ctx, argv[0], 2);
}

FOX_FN(DateFn) {
    if (argc == 3) {
        NULL_IN_NULL_OUT;
        int y = sqlite3_value_int(argv[0]), m = sqlite3_value_int(argv[1]),
            d = sqlite3_value_int(argv[2]);
        return sqlite3_result_int64(ctx, IsValidCivil(y, m, d) ? JulianDayFromCivil(y, m, d) : 0);
    }
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    sqlite3_result_int64(ctx,
                         JulianDayFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday));
}

FOX_FN(Empty) {
    (void)argc;
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_NULL:
        return sqlite3_result_int(ctx, 0);
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        return sqlite3_result_int(ctx, sqlite3_value_double(argv[0]) == 0);
    default:
        for (char c : Bytes(argv[0]))
            if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return sqlite3_result_int(ctx, 0);
        return sqlite3_result_int(ctx, 1);
    }
}

FOX_FN(Round) {
    NULL_IN_NULL_OUT;
    sqlite3_result_double(ctx,
                          RoundHalfAway(sqlite3_value_double(argv[0]), sqlite3_value_int(argv[1])));
}

// a / b for a value to be stored, where a zero divisor is an error rather than NULL.
FOX_FN(Divide) {
    NULL_IN_NULL_OUT;
    const double divisor = sqlite3_value_double(argv[1]);
    if (divisor == 0) return sqlite3_result_error(ctx, "Division by zero.", -1);
    sqlite3_result_double(ctx, sqlite3_value_double(argv[0]) / divisor);
}

FOX_FN(Cat) {
    NULL_IN_NULL_OUT;
    std::string s(Bytes(argv[0]));
    s.append(Bytes(argv[1]));
    ResultBytes(ctx, s);
}

FOX_FN(Like) {
    NULL_IN_NULL_OUT;
    sqlite3_result_int(ctx, LikeMatch(std::string(Bytes(argv[0])), std::string(Bytes(argv[1]))));
}

// foxlast(x, order): x from the row with the highest order; later rows win ties.
struct LastState {
    sqlite3_value* value;
    sqlite3_int64 order;
    bool seen;
};

void LastStep(sqlite3_context* ctx, int, sqlite3_value** argv) {
    auto* st = static_cast<LastState*>(sqlite3_aggregate_context(ctx, sizeof(LastState)));
    if (!st) return sqlite3_result_error_nomem(ctx);
    sqlite3_int64 order = sqlite3_value_int64(argv[1]);
    if (st->seen && order < st->order) return;
    sqlite3_value_free(st->value);
    st->value = sqlite3_value_dup(argv[0]);
    st->order = order;
    st->seen = true;
}

void LastFinal(sqlite3_context* ctx) {
    auto* st = static_cast<LastState*>(sqlite3_aggregate_context(ctx, 0));
    if (!st || !st->value) return sqlite3_result_null(ctx);
    sqlite3_result_value(ctx, st->value);
    sqlite3_value_free(st->value);
    st->value = nullptr;
}

} // namespace

double RoundHalfAway(double value, int digits) {
    if (!std::isfinite(value)) return value;
    if (digits > 15) digits = 15;
    if (digits < -15) digits = -15;
    // Powers of ten up to 1e15 are exact doubles, as pow gives them.
    static const double kPow10[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                    1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    double scale = digits >= 0 ? kPow10[digits] : std::pow(10.0, digits);
    double scaled = value * scale;
    double rounded = std::round(scaled * (1 + 4e-15));
    return rounded / scale;
}

bool LikeMatch(const std::string& text, const std::string& pattern) {
    // Greedy match with one backtrack point for the last %, stepping by characters.
    size_t t = 0, p = 0;
    size_t starP = std::string::npos, starT = 0;
    auto charLen = [](const std::string& s, size_t i) {
        size_t n = GbkCharLength(static_cast<unsigned char>(s[i]));
        return i + n <= s.size() ? n : 1;
    };
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '%') {
            starP = ++p;
            starT = t;
            continue;
        }
        if (p < pattern.size()) {
            size_t pl = charLen(pattern, p), tl = charLen(text, t);
            if (pattern[p] == '_') {
                p += 1;
                t += tl;
                continue;
            }
            if (pl == tl && pattern.compare(p, pl, text, t, tl) == 0) {
                p += pl;
                t += tl;
                continue;
            }
        }
        if (starP == std::string::npos) return false;
        p = starP;
        starT += charLen(text, starT);
        t = starT;
    }
    while (p < pattern.size() && pattern[p] == '%')
        ++p;
    return p == pattern.size();
}

void RegisterFunctions(sqlite3* db) {
    struct Fn {
        const char* name;
        int args;
        void (*fn)(sqlite3_context*, int, sqlite3_value**);
        bool deterministic;
    };
    static const Fn kFunctions[] = {
        {"foxpad", 2, Pad, true},       {"foxrtrim", 1, RTrim, true},
        {"foxltrim", 1, LTrim, true},   {"foxalltrim", 1, AllTrim, true},
        {"foxsubstr", 2, Substr, true}, {"foxsubstr", 3, Substr, true},
        {"foxleft", 2, Left, true},     {"foxright", 2, Right, true},
        {"foxupper", 1, Upper, true},   {"foxlower", 1, Lower, true},
        {"foxlen", 1, Len, true},       {"foxat", 2, At, true},
        {"foxat", 3, At, true},         {"foxcontains", 2, Contains, true},
        {"foxstr", 1, Str, true},       {"foxstr", 2, Str, true},
        {"foxstr", 3, Str, true},       {"foxval", 1, Val, true},
        {"foxdtoc", 1, Dtoc, true},     {"foxdtoc", 2, Dtoc, true},
        {"foxctod", 1, Ctod, true},     {"foxdtos", 1, Dtos, true},
        {"foxyear", 1, Year, true},     {"foxmonth", 1, Month, true},
        {"foxday", 1, Day, true},       {"foxdate", 0, DateFn, false},
        {"foxdate", 3, DateFn, true},   {"foxempty", 1, Empty, true},
        {"foxround", 2, Round, true},   {"foxcat", 2, Cat, true},
        {"foxlike", 2, Like, true},     {"foxdivide", 2, Divide, true},
    };
    for (const Fn& f : kFunctions)
        sqlite3_create_function_v2(db, f.name, f.args,
                                   SQLITE_UTF8 | (f.deterministic ? SQLITE_DETERMINISTIC : 0),
                                   nullptr, f.fn, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "foxlast", 2, SQLITE_UTF8, nullptr, nullptr, LastStep, LastFinal,
                               nullptr);
}

} // namespace foxdb::sql
