#include "ado/row_store.h"

#include "ado/com_error.h"
#include "foxdb/database.h"
#include "platform/gbk.h"

#include <filesystem>

#include <algorithm>
#include <array>
#include <cmath>

namespace ado {
namespace {

[[noreturn]] void DoesNotFit() {
    throw ComError(DB_E_ERRORSOCCURRED,
                   "Multiple-step operation generated errors. Check each status value.",
                   "ADODB.Field");
}

bool IsDateType(int type) {
    return type == adDate || type == adDBDate || type == adDBTime || type == adDBTimeStamp;
}

double ToOleDate(const foxdb::Value& value) {
    if (auto d = std::get_if<foxdb::Date>(&value))
        return d->IsEmpty() ? 0.0 : d->julianDay - foxdb::kJulianDayOfOleZero;
    if (auto r = std::get_if<double>(&value)) return *r;
    if (auto i = std::get_if<int64_t>(&value)) return static_cast<double>(*i);
    return 0;
}

// Text as the column stores it (GBK for the tables' text): never cut, fixed-width
// text padded with blanks.
std::string FitText(const ColumnInfo& column, std::string text) {
    if (column.definedSize > 0 && text.size() > static_cast<size_t>(column.definedSize))
        DoesNotFit();
    if (column.IsFixedText() && !column.IsUnicodeText() &&
        text.size() < static_cast<size_t>(std::max(column.definedSize, 0L)))
        text.resize(static_cast<size_t>(column.definedSize), ' ');
    return text;
}

// 10 to the power 0..38, as std::pow gives them.
double PowerOfTen(int exponent) {
    static const std::array<double, 39> powers = [] {
        std::array<double, 39> p{};
        for (size_t i = 0; i < p.size(); ++i)
            p[i] = std::pow(10.0, static_cast<double>(i));
        return p;
    }();
    return powers[static_cast<size_t>(exponent)];
}

// A number rounded to the column's scale; one too large for its precision does not fit.
double FitNumber(const ColumnInfo& column, double d) {
    if (column.scale >= 0 && column.scale <= 28) {
        double f = PowerOfTen(column.scale);
        d = std::round(d * f) / f;
        if (column.precision > column.scale && column.precision <= 38 &&
            std::fabs(d) >= PowerOfTen(column.precision - column.scale))
            DoesNotFit();
    }
    return d;
}

double ToNumber(const foxdb::Value& value) {
    if (auto r = std::get_if<double>(&value)) return *r;
    if (auto i = std::get_if<int64_t>(&value)) return static_cast<double>(*i);
    if (auto b = std::get_if<bool>(&value)) return *b ? -1 : 0;
    if (auto d = std::get_if<foxdb::Date>(&value)) return ToOleDate(*d);
    return 0;
}

} // namespace

bool ColumnInfo::IsText() const {
    switch (type) {
    case adChar:
    case adVarChar:
    case adLongVarChar:
    case adWChar:
    case adVarWChar:
    case adLongVarWChar:
    case adBSTR:
        return true;
    default:
        return false;
    }
}

bool ColumnInfo::IsUnicodeText() const {
    return type == adWChar || type == adVarWChar || type == adLongVarWChar || type == adBSTR;
}

bool ColumnInfo::IsFixedText() const {
    return type == adChar || type == adWChar;
}

std::string RowStore::BaseTable() const {
    std::string table;
    for (const ColumnInfo& c : columns) {
        if (c.baseField < 0) continue;
        if (table.empty())
            table = c.baseTable;
        else if (table != c.baseTable)
            return std::string();
    }
    return table;
}

std::shared_ptr<RowStore> StoreFromResult(foxdb::ResultSet&& result) {
    auto store = std::make_shared<RowStore>();
    for (const foxdb::ResultColumn& rc : result.columns) {
        ColumnInfo c;
        c.name = rc.name;
        c.type = rc.type;
        c.definedSize = rc.definedSize;
        bool numeric = rc.type == adNumeric || rc.type == adDecimal;
        c.precision = numeric || rc.precision > 0 ? rc.precision : 255;
        c.scale = numeric ? rc.scale : 255;
        if (rc.nullable) c.attributes |= adFldIsNullable | adFldMayBeNull;
        if (!c.IsText() || c.IsFixedText()) c.attributes |= adFldFixed;
        if (rc.baseField >= 0 && !rc.baseTable.empty()) {
            c.baseTable = std::filesystem::path(rc.baseTable).stem().string();
            c.baseField = rc.baseField;
            c.attributes |= adFldUpdatable;
        } else {
            c.attributes |= adFldUnknownUpdatable;
        }
        store->columns.push_back(std::move(c));
    }
    store->rows.resize(result.rows.size());
    for (size_t i = 0; i < result.rows.size(); ++i) {
        store->rows[i].original = std::move(result.rows[i]);
        if (i < result.recnos.size()) store->rows[i].recno = result.recnos[i];
    }
    // Without record numbers the rows cannot be found again: nothing is written back.
    if (result.recnos.size() != result.rows.size() || result.table.empty()) {
        for (ColumnInfo& c : store->columns) {
            if (c.baseField < 0) continue;
            c.baseField = -1;
            c.baseTable.clear();
            c.attributes = (c.attributes & ~adFldUpdatable) | adFldUnknownUpdatable;
        }
    }
    return store;
}

foxdb::Value StoreOleDate(double ole) {
    if (ole != std::trunc(ole)) return ole;
    if (ole == 0) return foxdb::Date{};
    return foxdb::Date{static_cast<int32_t>(ole) + foxdb::kJulianDayOfOleZero};
}

Variant ToVariant(const ColumnInfo& column, const foxdb::Value& value) {
    if (foxdb::IsNull(value)) return Variant::Null();
    if (column.IsText()) {
        if (auto s = std::get_if<std::string>(&value))
            return column.IsUnicodeText() ? Variant(*s) : Variant(platform::GbkToUtf8(*s));
    }
    if (IsDateType(column.type)) return Variant::Date(ToOleDate(value));
    if (auto s = std::get_if<std::string>(&value)) return Variant(platform::GbkToUtf8(*s));
    double n = ToNumber(value);
    switch (column.type) {
    case adBoolean:
        return Variant(n != 0);
    case adDouble:
        return Variant(n);
    case adSingle:
        return Variant(static_cast<float>(n));
    case adCurrency:
        return Variant::Currency(n);
    case adNumeric:
    case adDecimal: // without a known scale the value is not rounded
        return column.scale >= 0 && column.scale <= 28 ? Variant::Decimal(n, column.scale)
                                                       : Variant(n);
    case adBigInt:
    case adUnsignedBigInt:
    case adUnsignedInt:
        if (auto i = std::get_if<int64_t>(&value)) return Variant::Int64(*i);
        return Variant::Int64(static_cast<int64_t>(std::llround(n)));
    case adSmallInt:
        return Variant::Short(static_cast<int16_t>(std::lround(n)));
    default:
        if (auto i = std::get_if<int64_t>(&value)) return Variant(static_cast<int>(*i));
        return Variant(static_cast<int>(std::lround(n)));
    }
}

foxdb::Value FromVariant(const ColumnInfo& column, const Variant& value) {
    if (value.IsNull() || value.IsEmpty() || value.IsMissing()) return foxdb::Null{};
    try {
        if (column.IsText()) {
            std::string text = value.ToString();
            if (!column.IsUnicodeText()) text = platform::Utf8ToGbk(text);
            return FitText(column, std::move(text));
        }
        if (IsDateType(column.type)) return StoreOleDate(value.ToDate());
        switch (column.type) {
        case adBoolean:
            return value.ToBool();
        case adDouble:
        case adSingle:
            return value.ToDouble();
        case adCurrency:
            return std::round(value.ToDouble() * 10000) / 10000;
        case adNumeric:
        case adDecimal:
            return FitNumber(column, value.ToDouble());
        case adSmallInt: {
            int32_t v = value.ToLong();
            if (v < INT16_MIN || v > INT16_MAX) DoesNotFit();
            return static_cast<int64_t>(v);
        }
        case adBigInt:
        case adUnsignedBigInt:
            return value.ToInt64();
        default:
            return static_cast<int64_t>(value.ToLong());
        }
    } catch (const ComError& e) {
        if (e.Error() == DB_E_ERRORSOCCURRED) throw;
        DoesNotFit();
    }
}

foxdb::Value FitStored(const ColumnInfo& column, foxdb::Value value) {
    if (foxdb::IsNull(value)) return value;
    if (column.IsText()) {
        if (auto s = std::get_if<std::string>(&value)) return FitText(column, std::move(*s));
    } else if (IsDateType(column.type)) {
        if (std::holds_alternative<foxdb::Date>(value)) return value;
    } else if (column.type == adNumeric || column.type == adDecimal) {
        if (auto d = std::get_if<double>(&value)) return FitNumber(column, *d);
    } else if (column.type == adInteger) {
        auto i = std::get_if<int64_t>(&value);
        if (i && *i >= INT32_MIN && *i <= INT32_MAX) return value;
    }
    DoesNotFit();
}

long StoredSize(const ColumnInfo& column, const foxdb::Value& value) {
    if (foxdb::IsNull(value)) return -1;
    if (auto s = std::get_if<std::string>(&value)) return static_cast<long>(s->size());
    return column.definedSize;
}

} // namespace ado
