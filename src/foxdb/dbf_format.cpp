#include "foxdb/dbf_format.h"
#include "foxdb/byte_order.h"

#include "platform/gbk.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace foxdb {
namespace {

[[noreturn]] void Bad(const std::string& file, const std::string& what) {
    throw Error(ErrorKind::BadFile, file + ": " + what);
}

bool KnownVersion(unsigned char v) {
    return v == 0x03 || v == 0x83 || v == 0xF5 || v == 0xFB || v == 0x30 || v == 0x31 || v == 0x32;
}

// The field length a type must have, or 0 when any length from 1 up is allowed.
int FixedLength(char type, bool vfp) {
    switch (type) {
    case 'I':
        return 4;
    case 'D':
        return 8;
    case 'L':
        return 1;
    case 'T':
    case 'Y':
    case 'B':
        return 8;
    case 'M':
    case 'G':
    case 'W':
    case 'P':
        return vfp ? 4 : 0;
    default:
        return 0;
    }
}

bool KnownType(char type) {
    return std::strchr("CNFIDLTYBMGWPVQ0", type) != nullptr && type;
}

bool BlankBytes(const char* p, size_t n) {
    for (size_t i = 0; i < n; ++i)
        if (p[i] != ' ' && p[i] != '\0') return false;
    return true;
}

double ParseNumber(const char* p, size_t n) {
    const char* e = p + n;
    while (p < e && *p == ' ')
        ++p;
    while (e > p && (e[-1] == ' ' || e[-1] == '\0'))
        --e;
    if (p == e) return 0.0;
    const char* start = p;
    bool negative = false;
    if (*p == '-' || *p == '+') negative = *p++ == '-';
    uint64_t mantissa = 0;
    int digits = 0, scale = 0;
    bool point = false, ok = p < e;
    for (; p < e; ++p) {
        if (*p >= '0' && *p <= '9') {
            mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
            if (++digits > 15) ok = false;
            if (point) ++scale;
        } else if (*p == '.' && !point) {
            point = true;
        } else {
            ok = false;
            break;
        }
    }
    if (ok && digits > 0) {
        static const double kPow10[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        double v = static_cast<double>(mantissa) / kPow10[scale];
        return negative ? -v : v;
    }
    // Long or odd text (exponents, the asterisks of an overflow): the C library decides.
    std::string text(start, e);
    char* end = nullptr;
    double v = std::strtod(text.c_str(), &end);
    return end == text.c_str() ? 0.0 : v;
}

Date ParseDate(const char* p) {
    int v[3] = {0, 0, 0};
    static const int kWidth[] = {4, 2, 2};
    for (int part = 0, i = 0; part < 3; ++part)
        for (int k = 0; k < kWidth[part]; ++k, ++i) {
            if (p[i] < '0' || p[i] > '9') return Date{};
            v[part] = v[part] * 10 + (p[i] - '0');
        }
    if (!IsValidCivil(v[0], v[1], v[2])) return Date{};
    return Date{JulianDayFromCivil(v[0], v[1], v[2])};
}

std::string UpperAscii(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::string TypeName(const FieldDef& def) {
    if (def.type == 'N' || def.type == 'F')
        return std::string(1, def.type) + "(" + std::to_string(def.length) + "," +
               std::to_string(def.decimals) + ")";
    if (def.type == 'C') return "C(" + std::to_string(def.length) + ")";
    return std::string(1, def.type);
}

[[noreturn]] void Mismatch(const FieldDef& def, const char* what) {
    throw Error(ErrorKind::TypeMismatch, "Operator/operand type mismatch. Field " + def.name +
                                             " (" + TypeName(def) + ") cannot hold " + what + ".");
}

[[noreturn]] void Overflow(const FieldDef& def, const std::string& value) {
    throw Error(ErrorKind::Other, "Numeric overflow: " + value + " does not fit field " + def.name +
                                      " (" + TypeName(def) + "); nothing was written.");
}

bool NumberOf(const Value& value, double& out) {
    if (auto d = std::get_if<double>(&value)) return out = *d, true;
    if (auto i = std::get_if<int64_t>(&value)) return out = static_cast<double>(*i), true;
    return false;
}

const char* KindOf(const Value& value) {
    switch (value.index()) {
    case 1:
        return "text";
    case 2:
    case 3:
        return "a number";
    case 4:
        return "a date";
    case 5:
        return "a logical value";
    default:
        return "NULL";
    }
}

// N and F: right-aligned, exactly `decimals` digits after the point; a value too
// wide first gives up decimals, as FoxPro does, and is refused when even the
// integer part does not fit.
// Writes the digits of a whole number of units of the last decimal right-aligned,
// as printf's "%.*f" writes a value that near such a number; false when it is too
// wide for the field.
bool FormatScaled(const FieldDef& def, int64_t units, char* out) {
    char text[32];
    char* end = text + sizeof text;
    char* p = end;
    uint64_t rest = units < 0 ? 0 - static_cast<uint64_t>(units) : static_cast<uint64_t>(units);
    int digit = 0;
    do { // at least one digit before the point
        if (digit == def.decimals && digit > 0) *--p = '.';
        *--p = static_cast<char>('0' + rest % 10);
        rest /= 10;
        ++digit;
    } while (rest > 0 || digit <= def.decimals);
    if (units < 0) *--p = '-';
    const size_t size = static_cast<size_t>(end - p);
    if (size > static_cast<size_t>(def.length)) return false;
    std::memset(out, ' ', static_cast<size_t>(def.length) - size);
    std::memcpy(out + def.length - size, p, size);
    return true;
}

void FormatNumber(const FieldDef& def, double v, char* out) {
    if (!std::isfinite(v)) Overflow(def, "a value that is not a number");
    // Halves round away from zero, as FoxPro's ROUND does, despite binary fractions.
    v += std::copysign(std::fabs(v) * 1e-14, v);
    // Most values lie close to a whole number of units of the last decimal, well
    // inside the double's precision: that number is what printf would round to.
    static const double kPowers[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
    if (def.decimals >= 0 && def.decimals <= 9) {
        const double scaled = v * kPowers[def.decimals];
        const double whole = std::round(scaled);
        if (std::fabs(scaled) < 1e12 && std::fabs(scaled - whole) < 0.25 &&
            FormatScaled(def, static_cast<int64_t>(whole), out))
            return;
    }
    char text[400];
    for (int dec = def.decimals; dec >= 0; --dec) {
        int n = std::snprintf(text, sizeof text, "%.*f", dec, v);
        if (n < 0 || n >= static_cast<int>(sizeof text)) break;
        std::string s(text, static_cast<size_t>(n));
        if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
        if (static_cast<int>(s.size()) <= def.length) {
            std::memset(out, ' ', static_cast<size_t>(def.length));
            std::memcpy(out + def.length - s.size(), s.data(), s.size());
            return;
        }
    }
    std::snprintf(text, sizeof text, "%.*f", def.decimals, v);
    Overflow(def, text);
}

void BlankField(char* p, const FieldSlot& slot) {
    switch (slot.def.type) {
    case 'I':
    case 'T':
    case 'Y':
    case 'B':
    case 'Q':
    case 'M':
    case 'G':
    case 'W':
    case 'P':
        std::memset(p, 0, static_cast<size_t>(slot.def.length));
        break;
    default:
        std::memset(p, ' ', static_cast<size_t>(slot.def.length));
    }
}

void SetBit(const DbfLayout& layout, char* record, int bit, bool on) {
    if (bit < 0 || layout.nullFlagsOffset == 0) return;
    char& byte = record[layout.nullFlagsOffset + static_cast<size_t>(bit / 8)];
    unsigned char mask = static_cast<unsigned char>(1u << (bit % 8));
    byte = static_cast<char>(on ? (byte | mask) : (byte & ~mask));
}

} // namespace

DbfLayout ParseDbfLayout(const char* data, size_t available, size_t size,
                         const std::string& fileName) {
    if (size < 32 || available < 32)
        Bad(fileName,
            "the file is too short for a table header (" + std::to_string(size) + " bytes)");
    DbfLayout layout;
    layout.version = static_cast<unsigned char>(data[0]);
    if (!KnownVersion(layout.version)) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", layout.version);
        Bad(fileName, std::string("not a FoxPro or dBase table (version byte ") + hex + ")");
    }
    layout.recordCount = Le32(data + 4);
    layout.headerLength = Le16(data + 8);
    layout.recordLength = Le16(data + 10);
    layout.tableFlags = static_cast<unsigned char>(data[28]);
    layout.codePage = static_cast<unsigned char>(data[29]);
    if (layout.headerLength < 33 || layout.headerLength > size)
        Bad(fileName, "the header length " + std::to_string(layout.headerLength) +
                          " does not fit the file size " + std::to_string(size));
    if (available < layout.headerLength) Bad(fileName, "the header could not be read");

    const bool vfp = layout.IsVfp();
    size_t pos = 32, offset = 1;
    int bits = 0;
    for (int index = 1;; ++index, pos += 32) {
        if (pos >= layout.headerLength)
            Bad(fileName, "the field descriptors run past the header (no end mark 0x0D)");
        if (data[pos] == 0x0D) break;
        if (pos + 32 > layout.headerLength)
            Bad(fileName, "field descriptor " + std::to_string(index) + " runs past the header");
        const char* d = data + pos;
        FieldDef def;
        size_t nameLength = strnlen(d, 11);
        def.name = platform::GbkToUtf8(std::string(d, nameLength));
        def.type = d[11];
        def.length = static_cast<unsigned char>(d[16]);
        def.decimals = static_cast<unsigned char>(d[17]);
        unsigned char flags = vfp ? static_cast<unsigned char>(d[18]) : 0;
        if (!KnownType(def.type)) {
            char shown[16];
            std::snprintf(shown, sizeof shown,
                          std::isprint(static_cast<unsigned char>(def.type)) ? "'%c'" : "0x%02X",
                          static_cast<unsigned char>(def.type));
            Bad(fileName, "field " + def.name + " has an unknown type " + shown);
        }
        int fixed = FixedLength(def.type, vfp);
        if (def.length == 0 || (fixed && def.length != fixed))
            Bad(fileName, "field " + def.name + " has a wrong length " +
                              std::to_string(def.length) + " for type " + def.type);
        if (def.type == '0' || (flags & 0x01)) {
            if (def.type == '0' && layout.nullFlagsOffset == 0) {
                layout.nullFlagsOffset = offset;
                layout.nullFlagsLength = static_cast<size_t>(def.length);
            }
        } else {
            FieldSlot slot;
            def.nullable = (flags & 0x02) != 0;
            slot.offset = offset;
            if (def.type == 'V' || def.type == 'Q') slot.lengthBit = bits++;
            if (def.nullable) slot.nullBit = bits++;
            slot.def = def;
            layout.fields.push_back(slot);
        }
        offset += static_cast<size_t>(def.length);
    }
    if (offset != layout.recordLength)
        Bad(fileName, "the record length " + std::to_string(layout.recordLength) +
                          " does not match the fields (" + std::to_string(offset) + ")");
    if (bits > 0 && static_cast<size_t>(bits) > layout.nullFlagsLength * 8)
        Bad(fileName, "the _NullFlags field is missing or too short for its nullable fields");
    const unsigned long long records =
        static_cast<unsigned long long>(layout.recordCount) * layout.recordLength;
    const unsigned long long expected = layout.headerLength + records;
    if (expected > size)
        Bad(fileName, "the file is shorter than its " + std::to_string(layout.recordCount) +
                          " records (" + std::to_string(size) + " bytes, " +
                          std::to_string(expected) + " needed)");
    // Records past the count are not the table's: FoxPro reads as the header says.
    for (const FieldSlot& slot : layout.fields)
        layout.defs.push_back(slot.def);
    return layout;
}

DbfLayout MakeVfpLayout(const std::vector<FieldDef>& fields) {
    DbfLayout layout;
    size_t offset = 1;
    int bits = 0;
    for (FieldDef def : fields) {
        def.name = UpperAscii(platform::CutGbkBytes(platform::Utf8ToGbk(def.name), 10));
        def.name = platform::GbkToUtf8(def.name);
        if (def.unique) def.nullable = false;
        int fixed = FixedLength(def.type, true);
        if (fixed) def.length = fixed;
        if (def.type != 'N' && def.type != 'F' && def.type != 'B') def.decimals = 0;
        FieldSlot slot;
        slot.offset = offset;
        if (def.nullable) slot.nullBit = bits++;
        if (def.unique) layout.tableFlags |= kFlagStructuralCdx;
        slot.def = def;
        offset += static_cast<size_t>(def.length);
        layout.fields.push_back(slot);
        layout.defs.push_back(def);
    }
    if (bits > 0) {
        layout.nullFlagsOffset = offset;
        layout.nullFlagsLength = static_cast<size_t>((bits + 7) / 8);
        offset += layout.nullFlagsLength;
    }
    layout.recordLength = offset;
    layout.headerLength = 32 + 32 * (layout.fields.size() + (bits > 0 ? 1 : 0)) + 1 + kBacklinkSize;
    return layout;
}

std::string BuildDbfHeader(const DbfLayout& layout) {
    std::string h(layout.headerLength, '\0');
    h[0] = static_cast<char>(layout.version);
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    h[1] = static_cast<char>(local.tm_year % 100);
    h[2] = static_cast<char>(local.tm_mon + 1);
    h[3] = static_cast<char>(local.tm_mday);
    PutLe32(&h[4], layout.recordCount);
    PutLe16(&h[8], static_cast<uint16_t>(layout.headerLength));
    PutLe16(&h[10], static_cast<uint16_t>(layout.recordLength));
    h[28] = static_cast<char>(layout.tableFlags);
    h[29] = static_cast<char>(layout.codePage);
    size_t pos = 32;
    auto descriptor = [&](const std::string& gbkName, char type, size_t offset, int length,
                          int decimals, unsigned char flags) {
        std::memcpy(&h[pos], gbkName.data(), std::min<size_t>(gbkName.size(), 10));
        h[pos + 11] = type;
        PutLe32(&h[pos + 12], static_cast<uint32_t>(offset));
        h[pos + 16] = static_cast<char>(length);
        h[pos + 17] = static_cast<char>(decimals);
        h[pos + 18] = static_cast<char>(flags);
        pos += 32;
    };
    for (const FieldSlot& slot : layout.fields)
        descriptor(platform::Utf8ToGbk(slot.def.name), slot.def.type, slot.offset, slot.def.length,
                   slot.def.decimals, slot.def.nullable ? 0x02 : 0x00);
    if (layout.nullFlagsOffset)
        descriptor("_NullFlags", '0', layout.nullFlagsOffset,
                   static_cast<int>(layout.nullFlagsLength), 0, 0x05);
    h[pos] = 0x0D;
    return h;
}

Value DecodeField(const DbfLayout& layout, const char* record, const FieldSlot& slot) {
    if (layout.IsNull(record, slot)) return Null{};
    const char* p = record + slot.offset;
    const size_t n = static_cast<size_t>(slot.def.length);
    switch (slot.def.type) {
    case 'C':
        return std::string(p, n);
    case 'N':
    case 'F':
        return ParseNumber(p, n);
    case 'I':
        return static_cast<int64_t>(static_cast<int32_t>(Le32(p)));
    case 'D':
        return BlankBytes(p, 8) ? Date{} : ParseDate(p);
    case 'L':
        switch (*p) {
        case 'T':
        case 't':
        case 'Y':
        case 'y':
            return true;
        case 'F':
        case 'f':
        case 'N':
        case 'n':
            return false;
        default:
            return Null{};
        }
    case 'T':
        return Date{static_cast<int32_t>(Le32(p))};
    case 'Y': {
        int64_t units = static_cast<int64_t>(Le32(p) | (static_cast<uint64_t>(Le32(p + 4)) << 32));
        return static_cast<double>(units) / 10000.0;
    }
    case 'B': {
        uint64_t bits = Le32(p) | (static_cast<uint64_t>(Le32(p + 4)) << 32);
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    case 'V':
    case 'Q':
        return std::string(RawFieldBytes(layout, record, slot));
    default:
        return Null{}; // memo text comes from the table's .fpt; pictures are not read
    }
}

void DecodeFieldInto(const DbfLayout& layout, const char* record, const FieldSlot& slot,
                     Value& out) {
    if (slot.def.type == 'C' && !layout.IsNull(record, slot)) {
        const char* p = record + slot.offset;
        const size_t n = static_cast<size_t>(slot.def.length);
        if (auto text = std::get_if<std::string>(&out))
            text->assign(p, n);
        else
            out.emplace<std::string>(p, n);
        return;
    }
    out = DecodeField(layout, record, slot);
}

std::string_view RawFieldBytes(const DbfLayout& layout, const char* record, const FieldSlot& slot) {
    const char* p = record + slot.offset;
    size_t n = static_cast<size_t>(slot.def.length);
    if (slot.lengthBit >= 0 &&
        ((static_cast<unsigned char>(record[layout.nullFlagsOffset + slot.lengthBit / 8]) >>
          (slot.lengthBit % 8)) &
         1))
        n = std::min<size_t>(static_cast<unsigned char>(p[n - 1]), n - 1);
    return std::string_view(p, n);
}

std::string BlankRecord(const DbfLayout& layout) {
    std::string record(layout.recordLength, '\0');
    record[0] = kRecordActive;
    for (const FieldSlot& slot : layout.fields) {
        BlankField(&record[slot.offset], slot);
        SetBit(layout, &record[0], slot.nullBit, true);
    }
    return record;
}

void EncodeField(const DbfLayout& layout, char* record, const FieldSlot& slot, const Value& value) {
    const FieldDef& def = slot.def;
    char* p = record + slot.offset;
    const size_t n = static_cast<size_t>(def.length);
    if (IsNull(value)) {
        BlankField(p, slot);
        SetBit(layout, record, slot.nullBit, true);
        return;
    }
    double number = 0;
    switch (def.type) {
    case 'C': {
        auto text = std::get_if<std::string>(&value);
        if (!text) Mismatch(def, KindOf(value));
        std::memset(p, ' ', n);
        if (text->size() > n) {
            std::string cut = platform::CutGbkBytes(*text, n);
            std::memcpy(p, cut.data(), cut.size());
        } else {
            std::memcpy(p, text->data(), text->size());
        }
        break;
    }
    case 'N':
    case 'F':
        if (!NumberOf(value, number)) Mismatch(def, KindOf(value));
        FormatNumber(def, number, p);
        break;
    case 'I': {
        if (!NumberOf(value, number)) Mismatch(def, KindOf(value));
        double rounded = std::round(number);
        if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0))
            Overflow(def, std::to_string(rounded));
        PutLe32(p, static_cast<uint32_t>(static_cast<int32_t>(rounded)));
        break;
    }
    case 'D': {
        auto date = std::get_if<Date>(&value);
        if (!date) Mismatch(def, KindOf(value));
        if (date->IsEmpty()) {
            std::memset(p, ' ', 8);
            break;
        }
        int y, m, d;
        CivilFromJulianDay(date->julianDay, y, m, d);
        if (!IsValidCivil(y, m, d)) Mismatch(def, "a date outside the years 1 to 9999");
        for (int i = 3; i >= 0; --i, y /= 10)
            p[i] = static_cast<char>('0' + y % 10);
        p[4] = static_cast<char>('0' + m / 10);
        p[5] = static_cast<char>('0' + m % 10);
        p[6] = static_cast<char>('0' + d / 10);
        p[7] = static_cast<char>('0' + d % 10);
        break;
    }
    case 'L': {
        auto flag = std::get_if<bool>(&value);
        if (!flag) Mismatch(def, KindOf(value));
        *p = *flag ? 'T' : 'F';
        break;
    }
    case 'T': {
        auto date = std::get_if<Date>(&value);
        if (!date) Mismatch(def, KindOf(value));
        PutLe32(p, static_cast<uint32_t>(date->julianDay));
        PutLe32(p + 4, 0);
        break;
    }
    case 'Y': {
        if (!NumberOf(value, number)) Mismatch(def, KindOf(value));
        double units = std::round(number * 10000.0);
        if (!(std::fabs(units) < 9.2e18)) Overflow(def, std::to_string(number));
        uint64_t u = static_cast<uint64_t>(static_cast<int64_t>(units));
        PutLe32(p, static_cast<uint32_t>(u));
        PutLe32(p + 4, static_cast<uint32_t>(u >> 32));
        break;
    }
    case 'B': {
        if (!NumberOf(value, number)) Mismatch(def, KindOf(value));
        uint64_t u;
        std::memcpy(&u, &number, sizeof u);
        PutLe32(p, static_cast<uint32_t>(u));
        PutLe32(p + 4, static_cast<uint32_t>(u >> 32));
        break;
    }
    default:
        Mismatch(def, "a value written by this program (memo and varying fields are read-only)");
    }
    SetBit(layout, record, slot.nullBit, false);
}

} // namespace foxdb
