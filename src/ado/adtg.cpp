#include "ado/adtg.h"

#include "ado/com_error.h"
#include "platform/gbk.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace ado {
namespace {

// Token bytes of the TableGram.
enum : uint8_t {
    kHeader = 0x01,
    kHandlerOptions = 0x02,
    kResultDescriptor = 0x03,
    kTableDescriptor = 0x05,
    kColumnDescriptor = 0x06,
    kRow = 0x07,
    kChange = 0x0A,
    kDelete = 0x0C,
    kInsert = 0x0D,
    kDone = 0x0F,
    kContext = 0x10,
};

// Column flags (the same bits as FieldAttributeEnum).
enum : uint32_t {
    kFlagWrite = 0x4,
    kFlagFixed = 0x10,
    kFlagNullable = 0x20,
    kFlagMayBeNull = 0x40,
    kFlagLong = 0x80,
    kFlagRowId = 0x100,
    kFlagChapter = 0x2000,
    kKnownFlags = 0x2 | 0x4 | 0x8 | 0x10 | 0x20 | 0x40 | 0x80 | 0x100 | 0x200 | 0x1000 | 0x8000,
};

// DBTYPE codes that differ from ADO's DataTypeEnum numbers.
enum : uint16_t {
    kDbStr = 0x81,
    kDbWStr = 0x82,
    kDbNumeric = 0x83,
    kDbDate = 0x85,
    kDbTime = 0x86,
    kDbTimeStamp = 0x87,
};

const uint8_t kRecordsetClass[16] = {0xB6, 0x92, 0xF2, 0x3F, 0x04, 0xB2, 0xCF, 0x11,
                                     0x8D, 0x23, 0x00, 0xAA, 0x00, 0x5F, 0xFE, 0x58};
const uint8_t kResultGuid[16] = {0xD2, 0xAD, 0x63, 0xF6, 0x02, 0xEB, 0xCF, 0x11,
                                 0xB0, 0xE3, 0x00, 0xAA, 0x00, 0x3F, 0x00, 0x0F};
// The recordset context ADO itself writes (rowset and client-cursor properties).
const uint8_t kContextBody[] = {
    0x02, 0x00, 0xBE, 0x22, 0xB5, 0xC8, 0xF3, 0x5C, 0xCE, 0x11, 0xAD, 0xE5, 0x00, 0xAA, 0x00, 0x44,
    0x77, 0x3D, 0x04, 0x00, 0x7F, 0x00, 0x00, 0x00, 0x02, 0x00, 0xFF, 0xFF, 0x86, 0x00, 0x00, 0x00,
    0x02, 0x00, 0xFF, 0xFF, 0x22, 0x00, 0x00, 0x00, 0x04, 0x00, 0x1E, 0x00, 0x00, 0x00, 0x49, 0x00,
    0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC1, 0x3C, 0x8E, 0xB6, 0xEB, 0x6D, 0xD0, 0x11,
    0x8D, 0xF6, 0x00, 0xAA, 0x00, 0x5F, 0xFE, 0x58, 0x05, 0x00, 0x04, 0x00, 0x00, 0x00, 0x04, 0x00,
    0x0F, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00, 0x04, 0x00, 0x02, 0x00, 0x00, 0x00, 0x03, 0x00,
    0x00, 0x00, 0x04, 0x00, 0x0F, 0x00, 0x00, 0x00, 0x07, 0x00, 0x00, 0x00, 0x04, 0x00, 0x32, 0x00,
    0x00, 0x00, 0x08, 0x00, 0x00, 0x00, 0x04, 0x00, 0x03, 0x00, 0x00, 0x00};

[[noreturn]] void Damaged() {
    throw ComError::Ado(adErrReadFile, "ADODB.Recordset");
}

// --- UTF-16 --------------------------------------------------------------------

std::u16string ToUtf16(const std::string& utf8) {
    std::u16string out;
    for (size_t i = 0; i < utf8.size();) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        uint32_t cp;
        size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        if (i + n > utf8.size()) break;
        cp = n == 1 ? c : n == 2 ? c & 0x1F : n == 3 ? c & 0x0F : c & 0x07;
        for (size_t k = 1; k < n; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += n;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string ToUtf8(const std::u16string& utf16) {
    std::string out;
    for (size_t i = 0; i < utf16.size(); ++i) {
        uint32_t cp = utf16[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] < 0xE000)
            cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[++i] - 0xDC00);
        else if (cp >= 0xD800 && cp < 0xE000)
            cp = 0xFFFD;
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

// --- Column kinds --------------------------------------------------------------

uint16_t DbTypeOf(int type) {
    switch (type) {
    case adChar:
    case adVarChar:
    case adLongVarChar:
        return kDbStr;
    case adWChar:
    case adVarWChar:
    case adLongVarWChar:
        return kDbWStr;
    case adNumeric:
        return kDbNumeric;
    case adDBDate:
        return kDbDate;
    case adDBTime:
        return kDbTime;
    case adDBTimeStamp:
        return kDbTimeStamp;
    default:
        return static_cast<uint16_t>(type);
    }
}

// The DataTypeEnum of a DBTYPE and its flags, or adEmpty for a type not read here.
int AdoTypeOf(uint16_t dbType, uint32_t flags) {
    switch (dbType) {
    case kDbStr:
        return flags & kFlagLong ? adLongVarChar : flags & kFlagFixed ? adChar : adVarChar;
    case kDbWStr:
        return flags & kFlagLong ? adLongVarWChar : flags & kFlagFixed ? adWChar : adVarWChar;
    case kDbNumeric:
        return adNumeric;
    case kDbDate:
        return adDBDate;
    case kDbTime:
        return adDBTime;
    case kDbTimeStamp:
        return adDBTimeStamp;
    case adSmallInt:
    case adInteger:
    case adSingle:
    case adDouble:
    case adCurrency:
    case adDate:
    case adBSTR:
    case adBoolean:
    case adDecimal:
    case adTinyInt:
    case adUnsignedTinyInt:
    case adUnsignedSmallInt:
    case adUnsignedInt:
    case adBigInt:
    case adUnsignedBigInt:
        return dbType;
    default:
        return adEmpty;
    }
}

double OleOf(const foxdb::Value& v) {
    if (auto d = std::get_if<foxdb::Date>(&v))
        return d->IsEmpty() ? 0.0 : d->julianDay - foxdb::kJulianDayOfOleZero;
    if (auto r = std::get_if<double>(&v)) return *r;
    if (auto i = std::get_if<int64_t>(&v)) return static_cast<double>(*i);
    return 0;
}

double NumberOf(const foxdb::Value& v) {
    if (auto r = std::get_if<double>(&v)) return *r;
    if (auto i = std::get_if<int64_t>(&v)) return static_cast<double>(*i);
    if (auto b = std::get_if<bool>(&v)) return *b ? -1 : 0;
    if (std::holds_alternative<foxdb::Date>(v)) return OleOf(v);
    return 0;
}

int64_t IntegerOf(const foxdb::Value& v) {
    if (auto i = std::get_if<int64_t>(&v)) return *i;
    return static_cast<int64_t>(std::llround(NumberOf(v)));
}

// --- Writing -------------------------------------------------------------------

class Out {
public:
    void U8(uint32_t v) { s_ += static_cast<char>(v & 0xFF); }
    void U16(uint32_t v) { U8(v), U8(v >> 8); }
    void U32(uint32_t v) { U16(v & 0xFFFF), U16(v >> 16); }
    void U64(uint64_t v) { U32(static_cast<uint32_t>(v)), U32(static_cast<uint32_t>(v >> 32)); }
    void Bytes(const void* p, size_t n) { s_.append(static_cast<const char*>(p), n); }
    void Lps(const std::string& utf8) {
        std::u16string w = ToUtf16(utf8);
        if (w.size() > 0xFFFF) w.resize(0xFFFF);
        U16(static_cast<uint32_t>(w.size()));
        for (char16_t c : w)
            U16(c);
    }
    // An element: token, a USHORT size of what follows, then the body.
    size_t Begin(uint8_t token) {
        U8(token);
        U16(0);
        return s_.size();
    }
    void End(size_t start) {
        size_t n = s_.size() - start;
        s_[start - 2] = static_cast<char>(n & 0xFF);
        s_[start - 1] = static_cast<char>(n >> 8);
    }
    std::string& str() { return s_; }

private:
    std::string s_;
};

// Magnitude of |v| scaled by 10^scale as a 128-bit integer.
unsigned __int128 Magnitude(double v, int scale) {
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", scale, std::fabs(v));
    unsigned __int128 m = 0;
    for (const char* p = buf; *p; ++p)
        if (*p >= '0' && *p <= '9') m = m * 10 + static_cast<unsigned>(*p - '0');
    return m;
}

int ScaleOf(const ColumnInfo& c) {
    return c.scale >= 0 && c.scale <= 28 ? c.scale : 0;
}

struct WriteColumn {
    const ColumnInfo* info = nullptr; // null for the hidden record-number column
    uint16_t dbType = 0;
    uint32_t maxLength = 0;
    uint32_t flags = 0;
    bool Nullable() const { return flags & (kFlagNullable | kFlagMayBeNull); }
    bool Fixed() const { return flags & kFlagFixed; }
};

void PutText(Out& out, const WriteColumn& wc, const std::string& stored) {
    bool unicode = wc.dbType != kDbStr;
    std::string bytes;
    if (!unicode) {
        bytes = stored;
    } else {
        std::u16string w = ToUtf16(stored);
        for (char16_t c : w)
            bytes += static_cast<char>(c & 0xFF), bytes += static_cast<char>(c >> 8);
    }
    if (wc.Fixed()) {
        size_t n = unicode ? wc.maxLength * 2u : wc.maxLength;
        if (bytes.size() > n)
            bytes = unicode ? bytes.substr(0, n) : platform::CutGbkBytes(bytes, n);
        while (bytes.size() < n)
            bytes += unicode ? std::string(" \0", 2) : std::string(" ");
        out.Bytes(bytes.data(), bytes.size());
        return;
    }
    if (wc.maxLength <= 255) {
        if (bytes.size() > 255)
            bytes = unicode ? bytes.substr(0, 254) : platform::CutGbkBytes(bytes, 255);
        out.U8(static_cast<uint32_t>(bytes.size()));
    } else {
        out.U32(static_cast<uint32_t>(bytes.size()));
    }
    out.Bytes(bytes.data(), bytes.size());
}

void PutValue(Out& out, const WriteColumn& wc, const foxdb::Value& v) {
    if (wc.dbType == kDbStr || wc.dbType == kDbWStr || wc.dbType == adBSTR) {
        auto s = std::get_if<std::string>(&v);
        PutText(out, wc, s ? *s : std::string());
        return;
    }
    int y = 1899, m = 12, d = 30;
    double ole = OleOf(v);
    switch (wc.dbType) {
    case adTinyInt:
    case adUnsignedTinyInt:
        out.U8(static_cast<uint32_t>(IntegerOf(v)));
        break;
    case adSmallInt:
    case adUnsignedSmallInt:
        out.U16(static_cast<uint32_t>(IntegerOf(v)));
        break;
    case adInteger:
    case adUnsignedInt:
        out.U32(static_cast<uint32_t>(IntegerOf(v)));
        break;
    case adBigInt:
    case adUnsignedBigInt:
        out.U64(static_cast<uint64_t>(IntegerOf(v)));
        break;
    case adBoolean:
        out.U16(NumberOf(v) != 0 ? 0xFFFF : 0);
        break;
    case adSingle: {
        float f = static_cast<float>(NumberOf(v));
        uint32_t u;
        std::memcpy(&u, &f, 4);
        out.U32(u);
        break;
    }
    case adDouble:
    case adDate: {
        double r = wc.dbType == adDate ? ole : NumberOf(v);
        uint64_t u;
        std::memcpy(&u, &r, 8);
        out.U64(u);
        break;
    }
    case adCurrency:
        out.U64(static_cast<uint64_t>(std::llround(NumberOf(v) * 10000)));
        break;
    case adDecimal: {
        double r = NumberOf(v);
        int scale = ScaleOf(*wc.info);
        unsigned __int128 mag = Magnitude(r, scale);
        out.U16(0);
        out.U8(static_cast<uint32_t>(scale));
        out.U8(r < 0 ? 0x80 : 0);
        out.U32(static_cast<uint32_t>(mag >> 64));
        out.U32(static_cast<uint32_t>(mag));
        out.U32(static_cast<uint32_t>(mag >> 32));
        break;
    }
    case kDbNumeric: {
        double r = NumberOf(v);
        int scale = ScaleOf(*wc.info);
        unsigned __int128 mag = Magnitude(r, scale);
        int precision =
            wc.info->precision >= 1 && wc.info->precision <= 38 ? wc.info->precision : 38;
        out.U8(static_cast<uint32_t>(precision));
        out.U8(static_cast<uint32_t>(scale));
        out.U8(r < 0 ? 0 : 1);
        out.U64(static_cast<uint64_t>(mag));
        out.U64(static_cast<uint64_t>(mag >> 64));
        break;
    }
    case kDbDate:
    case kDbTimeStamp: {
        double day = std::floor(ole);
        if (ole != 0)
            foxdb::CivilFromJulianDay(static_cast<int32_t>(day) + foxdb::kJulianDayOfOleZero, y, m,
                                      d);
        out.U16(static_cast<uint32_t>(y)), out.U16(static_cast<uint32_t>(m)),
            out.U16(static_cast<uint32_t>(d));
        if (wc.dbType == kDbTimeStamp) {
            long seconds = std::lround((ole - day) * 86400.0) % 86400;
            out.U16(static_cast<uint32_t>(seconds / 3600));
            out.U16(static_cast<uint32_t>(seconds / 60 % 60));
            out.U16(static_cast<uint32_t>(seconds % 60));
            out.U32(0);
        }
        break;
    }
    case kDbTime: {
        long seconds = std::lround((ole - std::floor(ole)) * 86400.0) % 86400;
        out.U16(static_cast<uint32_t>(seconds / 3600));
        out.U16(static_cast<uint32_t>(seconds / 60 % 60));
        out.U16(static_cast<uint32_t>(seconds % 60));
        break;
    }
    default:
        Damaged();
    }
}

void PutBits(Out& out, const std::vector<bool>& bits) {
    for (size_t i = 0; i < bits.size(); i += 8) {
        uint32_t byte = 0;
        for (size_t k = 0; k < 8 && i + k < bits.size(); ++k)
            if (bits[i + k]) byte |= 0x80u >> k;
        out.U8(byte);
    }
}

} // namespace

std::string WriteTableGram(const RowStore& store, const std::vector<long>& rowIds) {
    const std::string table = store.BaseTable();
    const bool hasTable = !table.empty();

    std::vector<WriteColumn> columns;
    for (const ColumnInfo& c : store.columns) {
        WriteColumn wc;
        wc.info = &c;
        wc.dbType = DbTypeOf(c.type);
        wc.maxLength = static_cast<uint32_t>(c.definedSize);
        wc.flags = static_cast<uint32_t>(c.attributes) & kKnownFlags & ~(kFlagFixed | kFlagLong);
        if (c.type == adLongVarChar || c.type == adLongVarWChar) wc.flags |= kFlagLong;
        if (!c.IsText() || c.IsFixedText()) wc.flags |= kFlagFixed;
        columns.push_back(wc);
    }
    // A Null read from a column said not to hold any still needs its presence bit.
    for (long id : rowIds) {
        const Row& row = store.rows[static_cast<size_t>(id)];
        if (row.status & adRecNew) continue;
        for (size_t c = 0; c < columns.size(); ++c)
            if (foxdb::IsNull(row.original[c])) columns[c].flags |= kFlagNullable | kFlagMayBeNull;
    }
    const size_t visible = columns.size();
    if (hasTable) {
        WriteColumn recno;
        recno.dbType = adInteger;
        recno.maxLength = 4;
        recno.flags = kFlagRowId | kFlagFixed;
        columns.push_back(recno);
    }

    Out out;
    const uint8_t header[] = {kHeader, 0x07, 'T', 'G', '!', 0, 0, 0, 0};
    out.Bytes(header, sizeof header);

    size_t e = out.Begin(kHandlerOptions);
    out.Bytes(kRecordsetClass, 16);
    out.U8(1); // only the changed columns of a changed row travel
    out.Lps(""), out.Lps(""), out.Lps("");
    out.U16(1); // synchronous
    out.End(e);

    size_t computed = 0;
    for (size_t c = 0; c < visible; ++c)
        if (!hasTable || store.columns[c].baseField < 0) ++computed;
    e = out.Begin(kResultDescriptor);
    out.Bytes(kResultGuid, 16);
    out.U8(0), out.U8(0), out.U8(0); // info, snapshot cursor, not normalised
    out.U16(static_cast<uint32_t>(visible));
    out.U16(static_cast<uint32_t>(columns.size()));
    out.U16(static_cast<uint32_t>(computed));
    out.U16(hasTable ? 1 : 0);
    out.U16(0);
    out.U32(static_cast<uint32_t>(rowIds.size()));
    out.End(e);

    e = out.Begin(kContext);
    out.Bytes(kContextBody, sizeof kContextBody);
    out.End(e);

    if (hasTable) {
        e = out.Begin(kTableDescriptor);
        out.U16(1);
        out.Lps(table), out.Lps(table);
        out.U16(0); // code page: reserved
        out.U16(static_cast<uint32_t>(visible - computed));
        out.U16(0); // no key columns
        out.End(e);
    }

    for (size_t c = 0; c < columns.size(); ++c) {
        const WriteColumn& wc = columns[c];
        bool based = wc.info && hasTable && wc.info->baseField >= 0;
        e = out.Begin(kColumnDescriptor);
        out.U8(wc.info ? (based ? 0xE0 : 0x80) : 0x80);
        out.U8(0x01), out.U8(0x00); // auto-increment present
        out.U16(static_cast<uint32_t>(c + 1));
        out.Lps(wc.info ? wc.info->name : std::string("RECNO()"));
        if (based) {
            out.U16(1);
            out.U16(static_cast<uint32_t>(wc.info->baseField + 1));
        }
        out.U16(wc.dbType);
        out.U32(wc.maxLength);
        out.U32(static_cast<uint32_t>(wc.info ? wc.info->precision : 10));
        out.U32(static_cast<uint32_t>(wc.info ? wc.info->scale : 255));
        out.U32(wc.flags);
        out.U16(0);                    // not auto-increment
        out.U16(wc.info ? 0xFFFF : 0); // visible
        out.End(e);
    }

    std::vector<size_t> nullable;
    for (size_t c = 0; c < columns.size(); ++c)
        if (columns[c].Nullable()) nullable.push_back(c);

    auto rowValue = [&](const Row& row, const std::vector<foxdb::Value>& values, size_t c) {
        return c < visible ? values[c] : foxdb::Value(static_cast<int64_t>(row.recno));
    };
    for (long id : rowIds) {
        const Row& row = store.rows[static_cast<size_t>(id)];
        if (row.status & adRecNew) {
            out.U8(kInsert);
            std::vector<bool> update(columns.size(), false), forceNull(columns.size(), false);
            for (size_t c = 0; c < visible; ++c) {
                update[c] = true;
                forceNull[c] = foxdb::IsNull(row.Values()[c]);
            }
            PutBits(out, update);
            PutBits(out, forceNull);
            for (size_t c = 0; c < visible; ++c)
                if (!forceNull[c]) PutValue(out, columns[c], row.Values()[c]);
            continue;
        }
        out.U8(kRow);
        std::vector<bool> present;
        for (size_t c : nullable)
            present.push_back(!foxdb::IsNull(rowValue(row, row.original, c)));
        PutBits(out, present);
        for (size_t c = 0; c < columns.size(); ++c) {
            foxdb::Value v = rowValue(row, row.original, c);
            if (!foxdb::IsNull(v)) PutValue(out, columns[c], v);
        }
        if (row.status & adRecDeleted) {
            out.U8(kDelete);
        } else if (row.status & adRecModified) {
            out.U8(kChange);
            std::vector<bool> update(columns.size(), false), forceNull(columns.size(), false);
            for (size_t c = 0; c < visible; ++c) {
                update[c] = !(row.Values()[c] == row.original[c]);
                forceNull[c] = update[c] && foxdb::IsNull(row.Values()[c]);
            }
            PutBits(out, update);
            PutBits(out, forceNull);
            for (size_t c = 0; c < visible; ++c)
                if (update[c] && !forceNull[c]) PutValue(out, columns[c], row.Values()[c]);
        }
    }
    out.U8(kDone);
    return std::move(out.str());
}

// --- Reading -------------------------------------------------------------------

namespace {

class In {
public:
    explicit In(const std::string& s)
        : p_(reinterpret_cast<const uint8_t*>(s.data())), n_(s.size()) {}
    size_t Pos() const { return i_; }
    size_t Size() const { return n_; }
    void Need(size_t k) const {
        if (k > n_ - i_) Damaged();
    }
    uint8_t Peek() const {
        Need(1);
        return p_[i_];
    }
    uint32_t U8() {
        Need(1);
        return p_[i_++];
    }
    uint32_t U16() {
        Need(2);
        uint32_t v = p_[i_] | (p_[i_ + 1] << 8);
        i_ += 2;
        return v;
    }
    uint32_t U32() { return U16() | (U16() << 16); }
    uint64_t U64() {
        uint64_t lo = U32();
        return lo | (static_cast<uint64_t>(U32()) << 32);
    }
    std::string Bytes(size_t k) {
        Need(k);
        std::string s(reinterpret_cast<const char*>(p_ + i_), k);
        i_ += k;
        return s;
    }
    std::string Lps() {
        size_t k = U16();
        return ToUtf8(Utf16(k));
    }
    std::u16string Utf16(size_t units) {
        Need(units * 2);
        std::u16string w;
        for (size_t k = 0; k < units; ++k)
            w += static_cast<char16_t>(U16());
        return w;
    }
    void Skip(size_t k) {
        Need(k);
        i_ += k;
    }
    void Seek(size_t pos) {
        if (pos > n_) Damaged();
        i_ = pos;
    }

private:
    const uint8_t* p_;
    size_t n_;
    size_t i_ = 0;
};

struct ReadColumn {
    ColumnInfo info;
    uint16_t dbType = 0;
    uint32_t maxLength = 0;
    uint32_t flags = 0;
    int ordinal = 0;
    int baseTableOrdinal = 0;
    bool visible = true;
    bool Nullable() const { return flags & (kFlagNullable | kFlagMayBeNull); }
};

foxdb::Value ReadDate(In& in, bool withTime) {
    int y = static_cast<int16_t>(in.U16()), m = static_cast<int>(in.U16()),
        d = static_cast<int>(in.U16());
    double fraction = 0;
    if (withTime) {
        uint32_t h = in.U16(), mi = in.U16(), s = in.U16(), ns = in.U32();
        if (h > 23 || mi > 59 || s > 59 || ns > 999999999) Damaged();
        fraction = (h * 3600 + mi * 60 + s + ns / 1e9) / 86400.0;
    }
    if ((y == 0 && m == 0 && d == 0) || (y == 1899 && m == 12 && d == 30))
        return fraction == 0 ? foxdb::Value(foxdb::Date{}) : foxdb::Value(fraction);
    if (!foxdb::IsValidCivil(y, m, d)) Damaged();
    return StoreOleDate(foxdb::JulianDayFromCivil(y, m, d) - foxdb::kJulianDayOfOleZero + fraction);
}

foxdb::Value ReadValue(In& in, const ReadColumn& rc) {
    switch (rc.dbType) {
    case kDbStr:
    case kDbWStr:
    case adBSTR: {
        bool unicode = rc.dbType != kDbStr;
        size_t n;
        if (rc.flags & kFlagFixed)
            n = unicode ? static_cast<size_t>(rc.maxLength) * 2 : rc.maxLength;
        else
            n = rc.maxLength <= 255 ? in.U8() : in.U32();
        if (!unicode) return in.Bytes(n);
        if (n % 2) Damaged();
        return ToUtf8(in.Utf16(n / 2));
    }
    case adTinyInt:
        return static_cast<int64_t>(static_cast<int8_t>(in.U8()));
    case adUnsignedTinyInt:
        return static_cast<int64_t>(in.U8());
    case adSmallInt:
        return static_cast<int64_t>(static_cast<int16_t>(in.U16()));
    case adUnsignedSmallInt:
        return static_cast<int64_t>(in.U16());
    case adInteger:
        return static_cast<int64_t>(static_cast<int32_t>(in.U32()));
    case adUnsignedInt:
        return static_cast<int64_t>(in.U32());
    case adBigInt:
    case adUnsignedBigInt:
        return static_cast<int64_t>(in.U64());
    case adBoolean:
        return in.U16() != 0;
    case adSingle: {
        uint32_t u = in.U32();
        float f;
        std::memcpy(&f, &u, 4);
        return static_cast<double>(f);
    }
    case adDouble:
    case adDate: {
        uint64_t u = in.U64();
        double r;
        std::memcpy(&r, &u, 8);
        if (!std::isfinite(r)) Damaged();
        if (rc.dbType == adDate) {
            if (r < -657434.0 || r > 2958466.0) Damaged();
            return StoreOleDate(r);
        }
        return r;
    }
    case adCurrency:
        return static_cast<double>(static_cast<int64_t>(in.U64())) / 10000.0;
    case adDecimal: {
        in.U16();
        uint32_t scale = in.U8(), sign = in.U8();
        unsigned __int128 hi = in.U32(), lo = in.U32(), mid = in.U32();
        if (scale > 28) Damaged();
        double v = static_cast<double>((hi << 64) | (mid << 32) | lo) / std::pow(10.0, scale);
        return sign & 0x80 ? -v : v;
    }
    case kDbNumeric: {
        in.U8();
        uint32_t scale = in.U8(), sign = in.U8();
        uint64_t lo = in.U64(), hi = in.U64();
        if (scale > 38) Damaged();
        double v = (static_cast<double>(hi) * 18446744073709551616.0 + static_cast<double>(lo)) /
                   std::pow(10.0, scale);
        return sign ? v : -v;
    }
    case kDbDate:
        return ReadDate(in, false);
    case kDbTimeStamp:
        return ReadDate(in, true);
    case kDbTime: {
        uint32_t h = in.U16(), m = in.U16(), s = in.U16();
        if (h > 23 || m > 59 || s > 59) Damaged();
        return (h * 3600 + m * 60 + s) / 86400.0;
    }
    default:
        Damaged();
    }
}

std::vector<bool> ReadBits(In& in, size_t count) {
    std::vector<bool> bits(count);
    for (size_t i = 0; i < count; i += 8) {
        uint32_t byte = in.U8();
        for (size_t k = 0; k < 8 && i + k < count; ++k)
            bits[i + k] = byte & (0x80u >> k);
    }
    return bits;
}

ReadColumn ReadColumnDescriptor(In& in, size_t end) {
    ReadColumn rc;
    uint32_t b0 = in.U8(), b1 = in.U8(), b2 = in.U8();
    rc.ordinal = static_cast<int>(in.U16());
    std::string baseName;
    if (b0 & 0x80) rc.info.name = in.Lps();
    if (b0 & 0x40) rc.baseTableOrdinal = static_cast<int>(in.U16());
    if (b0 & 0x20) rc.info.baseField = static_cast<int>(in.U16()) - 1;
    if (b0 & 0x10) baseName = in.Lps();
    rc.dbType = static_cast<uint16_t>(in.U16());
    rc.maxLength = in.U32();
    uint32_t precision = in.U32();
    int32_t scale = static_cast<int32_t>(in.U32());
    rc.flags = in.U32();
    if (b0 & 0x02) in.Lps();
    if (b0 & 0x01) in.Lps();
    (void)b1, (void)b2; // the optional tail is skipped: IsVisible ends the element
    if (end < in.Pos() + 2) Damaged();
    in.Seek(end - 2);
    rc.visible = in.U16() != 0;
    if (rc.info.name.empty()) rc.info.name = baseName;
    if ((rc.flags & kFlagChapter) || rc.ordinal < 1) Damaged();
    rc.info.type = AdoTypeOf(rc.dbType, rc.flags);
    if (rc.info.type == adEmpty) Damaged();
    if ((rc.dbType == kDbStr || rc.dbType == kDbWStr || rc.dbType == adBSTR) &&
        (rc.flags & kFlagFixed) && rc.maxLength > 0xFFFF)
        Damaged();
    rc.info.definedSize = static_cast<long>(static_cast<int32_t>(rc.maxLength));
    rc.info.precision = static_cast<int>(std::min<uint32_t>(precision, 255));
    rc.info.scale = scale < 0 || scale > 255 ? 255 : scale;
    rc.info.attributes = static_cast<long>(rc.flags & kKnownFlags);
    return rc;
}

} // namespace

std::shared_ptr<RowStore> ReadTableGram(const std::string& bytes) {
    In in(bytes);
    if (bytes.size() < 9 || bytes.compare(0, 5, "\x01\x07TG!", 5) != 0) Damaged();
    if (bytes[7] != 0 || bytes[8] != 0) Damaged(); // big-endian or Unicode character data
    in.Seek(9);

    std::vector<ReadColumn> columns;
    std::vector<std::pair<int, std::string>> tables;
    bool result = false;
    for (;;) {
        uint8_t token = in.Peek();
        if (token == kRow || token == kInsert || token == kDone) break;
        in.U8();
        size_t size = in.U16();
        size_t start = in.Pos();
        in.Need(size);
        switch (token) {
        case kHandlerOptions:
        case kContext:
            break;
        case kResultDescriptor:
            if (result) Damaged(); // a second recordset: hierarchies are not read
            result = true;
            break;
        case kTableDescriptor: {
            int ordinal = static_cast<int>(in.U16());
            in.Lps();
            std::string name = in.Lps();
            name.erase(std::remove(name.begin(), name.end(), '"'), name.end());
            tables.emplace_back(ordinal, name);
            break;
        }
        case kColumnDescriptor:
            if (!result) Damaged();
            columns.push_back(ReadColumnDescriptor(in, start + size));
            break;
        default:
            Damaged();
        }
        in.Seek(start + size);
    }
    if (!result || columns.empty()) Damaged();
    std::sort(columns.begin(), columns.end(),
              [](const ReadColumn& a, const ReadColumn& b) { return a.ordinal < b.ordinal; });
    for (size_t c = 0; c < columns.size(); ++c)
        if (columns[c].ordinal != static_cast<int>(c + 1)) Damaged();

    auto store = std::make_shared<RowStore>();
    std::vector<int> target(columns.size(), -1); // column of the store, or -1
    int recnoColumn = -1;
    for (size_t c = 0; c < columns.size(); ++c) {
        ReadColumn& rc = columns[c];
        if (!rc.visible) {
            if ((rc.flags & kFlagRowId) && rc.dbType == adInteger)
                recnoColumn = static_cast<int>(c);
            continue;
        }
        auto table = std::find_if(tables.begin(), tables.end(),
                                  [&](const auto& t) { return t.first == rc.baseTableOrdinal; });
        if (table == tables.end() || rc.info.baseField < 0) {
            rc.info.baseField = -1;
        } else {
            rc.info.baseTable = table->second;
        }
        target[c] = static_cast<int>(store->columns.size());
        store->columns.push_back(rc.info);
    }
    if (store->columns.empty()) Damaged();

    size_t nullableCount = 0;
    for (const ReadColumn& rc : columns)
        nullableCount += rc.Nullable();
    const size_t width = store->columns.size();

    auto readUpdate = [&](std::vector<foxdb::Value>& values) {
        std::vector<bool> update = ReadBits(in, columns.size());
        std::vector<bool> forceNull = ReadBits(in, columns.size());
        for (size_t c = 0; c < columns.size(); ++c) {
            if (!update[c]) continue;
            foxdb::Value v = forceNull[c] ? foxdb::Value(foxdb::Null{}) : ReadValue(in, columns[c]);
            if (target[c] >= 0) values[static_cast<size_t>(target[c])] = std::move(v);
        }
    };

    for (;;) {
        uint32_t token = in.U8();
        if (token == kDone) break;
        Row row;
        row.original.assign(width, foxdb::Null{});
        if (token == kInsert) {
            row.status = adRecNew;
            row.current = row.original;
            readUpdate(row.current);
        } else if (token == kRow) {
            std::vector<bool> present = ReadBits(in, nullableCount);
            size_t bit = 0;
            for (size_t c = 0; c < columns.size(); ++c) {
                foxdb::Value v;
                if (columns[c].Nullable() && !present[bit++]) continue;
                v = ReadValue(in, columns[c]);
                if (target[c] >= 0) {
                    row.original[static_cast<size_t>(target[c])] = std::move(v);
                } else if (static_cast<int>(c) == recnoColumn) {
                    int64_t r = std::get<int64_t>(v);
                    row.recno = r > 0 ? static_cast<uint32_t>(r) : 0;
                }
            }
            if (in.Pos() < in.Size() && in.Peek() == kChange) {
                in.U8();
                row.status = adRecModified;
                row.current = row.original;
                readUpdate(row.current);
            } else if (in.Pos() < in.Size() && in.Peek() == kDelete) {
                in.U8();
                row.status = adRecDeleted;
            }
        } else {
            Damaged();
        }
        store->rows.push_back(std::move(row));
    }
    return store;
}

} // namespace ado
