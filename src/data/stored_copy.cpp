#include "data/stored_copy.h"

#include "platform/gbk.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// Up to this magnitude a number scaled to its decimals is a whole number that a
// double holds exactly, so its decimal text reads back as the same double.
constexpr double kExactDecimals = 4503599627370496.0; // 2^52

bool IsDate(long type) {
    return type == ado::adDBDate;
}

bool IsNumber(long type) {
    return type == ado::adNumeric || type == ado::adInteger;
}

} // namespace

CStoredCopy::CStoredCopy(ado::Field& from, ado::Field& to) {
    const long fromType = from.Type(), toType = to.Type();
    if (fromType == ado::adChar && toType == ado::adChar && to.DefinedSize() >= 0) {
        kind_ = Kind::Text;
        toSize_ = to.DefinedSize();
    } else if (IsNumber(fromType) && IsNumber(toType) &&
               (fromType == ado::adInteger || from.NumericScale() <= 15)) {
        kind_ = Kind::Number;
        fromInteger_ = fromType == ado::adInteger;
        fromFactor_ = std::pow(10.0, fromInteger_ ? 0 : from.NumericScale());
        toInteger_ = toType == ado::adInteger;
    } else if (IsDate(fromType) && IsDate(toType)) {
        kind_ = Kind::Date;
    }
}

bool CStoredCopy::Convert(const foxdb::Value& value, foxdb::Value& result) const {
    switch (kind_) {
    case Kind::Text: {
        const std::string* text = std::get_if<std::string>(&value);
        return text && ConvertText(*text, result);
    }
    case Kind::Number:
        return ConvertNumber(value, result);
    case Kind::Date: {
        // Every stored date goes across as it is: its text would turn 1899-12-30 into
        // the empty date and years before 1000 into others.
        const foxdb::Date* date = std::get_if<foxdb::Date>(&value);
        if (!date) return false;
        result = *date;
        return true;
    }
    case Kind::None:
        break;
    }
    return false;
}

bool CStoredCopy::ConvertText(const std::string& text, foxdb::Value& result) const {
    // Stored text goes across byte for byte, quotes and all: it is data already kept,
    // not typed input, and its text form would lose what the value check refuses.
    size_t end = text.find_last_not_of(' ');
    end = end == std::string::npos ? 0 : end + 1;
    const size_t width = static_cast<size_t>(toSize_);
    if (end > width) end = platform::CutGbkBytes(text.substr(0, end), width).size();
    // Room for the blanks the field pads it with.
    std::string stored;
    stored.reserve(std::max(end, width));
    stored.assign(text, 0, end);
    result = std::move(stored);
    return true;
}

bool CStoredCopy::ConvertNumber(const foxdb::Value& value, foxdb::Value& result) const {
    double number = 0;
    if (fromInteger_) {
        const int64_t* integer = std::get_if<int64_t>(&value);
        if (!integer || *integer < INT32_MIN || *integer > INT32_MAX) return false;
        number = static_cast<double>(*integer);
    } else {
        // The decimal the field reads as: rounded to its scale.
        double stored = 0;
        if (const double* real = std::get_if<double>(&value))
            stored = *real;
        else if (const int64_t* integer = std::get_if<int64_t>(&value))
            stored = static_cast<double>(*integer);
        else
            return false;
        const double scaled = std::round(stored * fromFactor_);
        if (!(std::fabs(scaled) < kExactDecimals)) return false;
        number = scaled / fromFactor_;
    }
    if (number == 0) number = 0; // the text "0" has no sign
    if (!toInteger_) {
        result = number;
        return true;
    }
    if (number != std::trunc(number) || number < INT32_MIN || number > INT32_MAX) return false;
    result = static_cast<int64_t>(number);
    return true;
}
