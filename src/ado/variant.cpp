#include "ado/variant.h"

#include "ado/com_error.h"
#include "foxdb/value.h"

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

namespace ado {
namespace {

[[noreturn]] void Mismatch() {
    throw ComError(DISP_E_TYPEMISMATCH, "Type mismatch.");
}
[[noreturn]] void Overflow() {
    throw ComError(DISP_E_OVERFLOW, "Out of present range.");
}

// OLE dates run from year 100 to 9999.
constexpr double kMinOleDate = -657434.0;
constexpr double kMaxOleDate = 2958465.99999;

std::string Trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return std::string();
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

// A number as the platform reads one: blanks around it, a sign, digits with
// optional thousands separators, a point and an exponent.
bool ParseNumber(const std::string& text, double& out) {
    std::string t = Trim(text);
    std::string clean;
    size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) clean += t[i++];
    bool digits = false, point = false;
    for (; i < t.size(); ++i) {
        char c = t[i];
        if (c >= '0' && c <= '9') {
            clean += c;
            digits = true;
        } else if (c == ',' && digits && !point) {
            continue;
        } else if (c == '.' && !point) {
            clean += c;
            point = true;
        } else {
            break;
        }
    }
    if (!digits) return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        clean += 'e';
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) clean += t[i++];
        size_t start = i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9')
            clean += t[i++];
        if (i == start) return false;
    }
    if (i != t.size()) return false;
    out = std::strtod(clean.c_str(), nullptr);
    return std::isfinite(out);
}

bool ReadInt(const std::string& t, size_t& i, int& value, int maxDigits) {
    size_t start = i;
    value = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9' && i - start < static_cast<size_t>(maxDigits))
        value = value * 10 + (t[i++] - '0');
    return i > start;
}

// "H:MM[:SS]" from position i to the end.
bool ParseTime(const std::string& t, size_t i, double& fraction) {
    int h, m, s = 0;
    if (!ReadInt(t, i, h, 2) || i >= t.size() || t[i] != ':') return false;
    ++i;
    if (!ReadInt(t, i, m, 2)) return false;
    if (i < t.size() && t[i] == ':') {
        ++i;
        if (!ReadInt(t, i, s, 2)) return false;
    }
    if (i != t.size() || h > 23 || m > 59 || s > 59) return false;
    fraction = (h * 3600 + m * 60 + s) / 86400.0;
    return true;
}

// "Y-M-D", "Y/M/D" or "Y.M.D", optionally followed by a time; or a time alone.
bool ParseDate(const std::string& text, double& out) {
    std::string t = Trim(text);
    double fraction = 0;
    if (t.find(':') != std::string::npos && t.find_first_of("-/.") == std::string::npos) {
        if (!ParseTime(t, 0, fraction)) return false;
        out = fraction;
        return true;
    }
    size_t i = 0;
    int y, m, d;
    if (!ReadInt(t, i, y, 4) || i >= t.size()) return false;
    char sep = t[i];
    if (sep != '-' && sep != '/' && sep != '.') return false;
    ++i;
    if (!ReadInt(t, i, m, 2) || i >= t.size() || t[i] != sep) return false;
    ++i;
    if (!ReadInt(t, i, d, 2)) return false;
    if (i < t.size()) {
        if (t[i] != ' ') return false;
        while (i < t.size() && t[i] == ' ')
            ++i;
        if (!ParseTime(t, i, fraction)) return false;
    }
    if (y < 100 || !foxdb::IsValidCivil(y, m, d)) return false;
    out = foxdb::JulianDayFromCivil(y, m, d) - foxdb::kJulianDayOfOleZero + fraction;
    return true;
}

std::string FormatDate(double ole) {
    double day = std::trunc(ole);
    long seconds = std::lround(std::fabs(ole - day) * 86400.0);
    if (seconds >= 86400) {
        seconds = 0;
        day += ole < 0 ? -1 : 1;
    }
    char buf[48];
    std::string out;
    if (day != 0) {
        int y, m, d;
        foxdb::CivilFromJulianDay(static_cast<int32_t>(day) + foxdb::kJulianDayOfOleZero, y, m, d);
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, d);
        out = buf;
    }
    if (seconds != 0 || day == 0) {
        std::snprintf(buf, sizeof buf, "%ld:%02ld:%02ld", seconds / 3600, seconds / 60 % 60,
                      seconds % 60);
        if (!out.empty()) out += ' ';
        out += buf;
    }
    return out;
}

// Shortest form with `digits` significant digits, exponents as "1E+20".
std::string FormatReal(double value, int digits) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", digits, value);
    std::string s = buf;
    size_t e = s.find('e');
    if (e != std::string::npos) s[e] = 'E';
    return s;
}

std::string FormatFixed(double value, int scale) {
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", scale, value);
    std::string s = buf;
    if (s.find('.') != std::string::npos) {
        s.erase(s.find_last_not_of('0') + 1);
        if (s.back() == '.') s.pop_back();
    }
    if (s == "-0") s = "0";
    return s;
}

double RoundTo(double value, int scale) {
    double f = std::pow(10.0, scale);
    double r = std::round(value * f) / f;
    return std::isfinite(r) ? r : value;
}

double RoundHalfEven(double value) {
    int mode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    double r = std::nearbyint(value);
    std::fesetround(mode);
    return r;
}

bool IsInteger(VARTYPE vt) {
    switch (vt) {
    case VT_I1:
    case VT_I2:
    case VT_I4:
    case VT_I8:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_UI8:
    case VT_INT:
    case VT_UINT:
        return true;
    default:
        return false;
    }
}

} // namespace

Variant::Variant(int value) : vt_(VT_I4), int_(value) {}
Variant::Variant(long value) : vt_(VT_I4), int_(value) {
    if (value < INT32_MIN || value > INT32_MAX) Overflow();
}
Variant::Variant(double value) : vt_(VT_R8), real_(value) {}
Variant::Variant(float value) : vt_(VT_R4), real_(value) {}
Variant::Variant(bool value) : vt_(VT_BOOL), int_(value ? -1 : 0) {}
Variant::Variant(const std::string& text) : vt_(VT_BSTR), text_(text) {}
Variant::Variant(std::string&& text) : vt_(VT_BSTR), text_(std::move(text)) {}
Variant::Variant(const char* text) : vt_(VT_BSTR), text_(text ? text : "") {}

Variant Variant::Null() {
    Variant v;
    v.vt_ = VT_NULL;
    return v;
}

Variant Variant::Missing() {
    Variant v;
    v.vt_ = VT_ERROR;
    v.int_ = DISP_E_PARAMNOTFOUND;
    return v;
}

Variant Variant::Date(double oleDate) {
    Variant v;
    v.vt_ = VT_DATE;
    v.real_ = oleDate;
    return v;
}

Variant Variant::Decimal(double value, int scale) {
    Variant v;
    v.vt_ = VT_DECIMAL;
    v.scale_ = scale < 0 ? 0 : scale > 28 ? 28 : scale;
    v.real_ = RoundTo(value, v.scale_);
    return v;
}

Variant Variant::Currency(double value) {
    Variant v;
    v.vt_ = VT_CY;
    v.real_ = RoundTo(value, 4);
    return v;
}

Variant Variant::Int64(int64_t value) {
    Variant v;
    v.vt_ = VT_I8;
    v.int_ = value;
    return v;
}

Variant Variant::Short(int16_t value) {
    Variant v;
    v.vt_ = VT_I2;
    v.int_ = value;
    return v;
}

double Variant::ToDouble() const {
    if (IsInteger(vt_)) return static_cast<double>(int_);
    switch (vt_) {
    case VT_EMPTY:
        return 0;
    case VT_BOOL:
        return static_cast<double>(int_);
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_DECIMAL:
        return real_;
    case VT_BSTR: {
        double d;
        if (!ParseNumber(text_, d)) Mismatch();
        return d;
    }
    default:
        Mismatch();
    }
}

float Variant::ToFloat() const {
    double d = ToDouble();
    if (std::fabs(d) > 3.402823466e38) Overflow();
    return static_cast<float>(d);
}

int64_t Variant::ToInt64() const {
    if (IsInteger(vt_) || vt_ == VT_BOOL) return int_;
    double d = RoundHalfEven(ToDouble());
    if (!(d >= -9.2233720368547758e18 && d < 9.2233720368547758e18)) Overflow();
    return static_cast<int64_t>(d);
}

int32_t Variant::ToLong() const {
    int64_t v = ToInt64();
    if (v < INT32_MIN || v > INT32_MAX) Overflow();
    return static_cast<int32_t>(v);
}

double Variant::ToDate() const {
    double d;
    if (vt_ == VT_BSTR) {
        if (!ParseDate(text_, d)) Mismatch();
        return d;
    }
    d = ToDouble();
    if (d < kMinOleDate || d > kMaxOleDate) Overflow();
    return d;
}

bool Variant::ToBool() const {
    if (vt_ == VT_BSTR) {
        std::string t = Trim(text_);
        if (strcasecmp(t.c_str(), "true") == 0) return true;
        if (strcasecmp(t.c_str(), "false") == 0) return false;
    }
    return ToDouble() != 0;
}

std::string Variant::ToString() const {
    if (IsInteger(vt_)) return std::to_string(int_);
    switch (vt_) {
    case VT_EMPTY:
        return std::string();
    case VT_BSTR:
        return text_;
    case VT_BOOL:
        return int_ ? "True" : "False";
    case VT_R8:
        return FormatReal(real_, 15);
    case VT_R4:
        return FormatReal(real_, 7);
    case VT_CY:
        return FormatFixed(real_, 4);
    case VT_DECIMAL:
        return FormatFixed(real_, scale_);
    case VT_DATE:
        return FormatDate(real_);
    default:
        Mismatch();
    }
}

Variant Variant::ChangeType(VARTYPE type) const {
    if (type == vt_) return *this;
    switch (type) {
    case VT_EMPTY:
        return Variant();
    case VT_NULL:
        return Null();
    case VT_I2: {
        int32_t v = ToLong();
        if (v < INT16_MIN || v > INT16_MAX) Overflow();
        return Short(static_cast<int16_t>(v));
    }
    case VT_I4:
    case VT_INT:
    case VT_UINT:
        return Variant(static_cast<int>(ToLong()));
    case VT_I8:
        return Int64(ToInt64());
    case VT_R4:
        return Variant(ToFloat());
    case VT_R8:
        return Variant(ToDouble());
    case VT_CY:
        return Currency(ToDouble());
    case VT_DECIMAL: {
        double d = ToDouble();
        int scale = vt_ == VT_DECIMAL ? scale_ : IsInteger(vt_) || vt_ == VT_BOOL ? 0 : 15;
        Variant v;
        v.vt_ = VT_DECIMAL;
        v.scale_ = scale;
        v.real_ = d;
        return v;
    }
    case VT_DATE:
        return Date(ToDate());
    case VT_BSTR:
        return Variant(ToString());
    case VT_BOOL:
        return Variant(ToBool());
    default:
        Mismatch();
    }
}

bool operator==(const Variant& a, const Variant& b) {
    if (a.vt_ != b.vt_) return false;
    switch (a.vt_) {
    case VT_EMPTY:
    case VT_NULL:
        return true;
    case VT_BSTR:
        return a.text_ == b.text_;
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_DECIMAL:
        return a.real_ == b.real_;
    default:
        return a.int_ == b.int_;
    }
}

} // namespace ado
