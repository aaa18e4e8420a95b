// A value carried straight between fields must be the one its text would give: the
// text form with trailing blanks cut, put with CDataSet::PutFieldValue.
#include "data/data_set.h"
#include "data/stored_copy.h"
#include "foxdb/database.h"
#include "platform/gbk.h"
#include "platform/message_box.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

foxdb::ResultColumn Column(int type, int size, int precision, int scale) {
    foxdb::ResultColumn column;
    column.name = "f";
    column.type = type;
    column.definedSize = size;
    column.precision = precision;
    column.scale = scale;
    return column;
}
foxdb::ResultColumn Char(int width) {
    return Column(ado::adChar, width, 255, 255);
}
foxdb::ResultColumn Numeric(int precision, int scale) {
    return Column(ado::adNumeric, precision + 2, precision, scale);
}
foxdb::ResultColumn Integer() {
    return Column(ado::adInteger, 4, 10, 0);
}
foxdb::ResultColumn DateColumn() {
    return Column(ado::adDBDate, 6, 10, 255);
}

foxdb::Value Day(int year, int month, int day) {
    return foxdb::Date{foxdb::JulianDayFromCivil(year, month, day)};
}

// A recordset of one row holding `value` (Null) in a field of the column's shape.
ado::RecordsetPtr OneRow(const foxdb::ResultColumn& column, foxdb::Value value = foxdb::Null{}) {
    foxdb::ResultSet result;
    result.columns = {column};
    result.rows.push_back({std::move(value)});
    auto rs = std::make_shared<ado::Recordset>();
    rs->OpenResult(std::move(result));
    rs->MoveFirst();
    return rs;
}

struct Outcome {
    bool direct = false; // taken without the text
    bool fits = true;    // false: the field refused it
    foxdb::Value value;
};

// The value stored by the text way.
Outcome ByText(ado::Field& from, const foxdb::ResultColumn& to) {
    auto target = OneRow(to);
    Outcome outcome;
    try {
        CDataSet data;
        data.PutFieldValue(wxString::FromUTF8(from.Value().ToString()).Trim(true), "f", target);
        outcome.value = target->Fields().Item(0).StoredValue();
    } catch (const ado::ComError&) {
        outcome.fits = false;
    }
    return outcome;
}

// The value stored by the direct way when it is taken, else by the text way.
Outcome Copied(ado::Field& from, const foxdb::ResultColumn& to) {
    auto target = OneRow(to);
    foxdb::Value direct;
    if (!CStoredCopy(from, target->Fields().Item(0)).Convert(from.StoredValue(), direct))
        return ByText(from, to);
    Outcome outcome;
    outcome.direct = true;
    try {
        target->Fields().Item(0).PutStoredValue(std::move(direct));
        outcome.value = target->Fields().Item(0).StoredValue();
    } catch (const ado::ComError&) {
        outcome.fits = false;
    }
    return outcome;
}

// Equal values, and for numbers the same sign of zero (it would show as "-0.00").
bool Same(const foxdb::Value& a, const foxdb::Value& b) {
    const double* x = std::get_if<double>(&a);
    const double* y = std::get_if<double>(&b);
    if (x && y) return *x == *y && std::signbit(*x) == std::signbit(*y);
    return a == b;
}

std::string Show(const foxdb::Value& value) {
    if (auto s = std::get_if<std::string>(&value)) return "'" + platform::GbkToUtf8(*s) + "'";
    if (auto d = std::get_if<double>(&value)) return std::to_string(*d);
    if (auto i = std::get_if<int64_t>(&value)) return std::to_string(*i);
    if (auto d = std::get_if<foxdb::Date>(&value)) return "day " + std::to_string(d->julianDay);
    return "null";
}

void ExpectSameAsText(const foxdb::ResultColumn& from, const foxdb::Value& value,
                      const foxdb::ResultColumn& to, bool direct) {
    SCOPED_TRACE(Show(value) + " into type " + std::to_string(to.type));
    auto source = OneRow(from, value);
    ado::Field& field = source->Fields().Item(0);
    platform::ScriptedMessageBoxes boxes;
    const Outcome copied = Copied(field, to);
    const Outcome text = ByText(field, to);
    EXPECT_EQ(copied.direct, direct);
    EXPECT_EQ(copied.fits, text.fits);
    if (copied.fits && text.fits) {
        EXPECT_TRUE(Same(copied.value, text.value))
            << Show(copied.value) << " against " << Show(text.value);
    }
}

std::string Gbk(const char* utf8) {
    return platform::Utf8ToGbk(utf8);
}

} // namespace

TEST(StoredCopy, TextIsTrimmedAndCutAsItsTextWouldBe) {
    struct Case {
        std::string value;
        int width;
        bool direct;
    } cases[] = {
        {Gbk("机油") + std::string(26, ' '), 30, true},
        {Gbk("  前后  刹车  ") + "    ", 30, true}, // inner and leading blanks stay
        {Gbk("前刹车片（原厂）"), 7, true},         // cut to 6 bytes, never half a character
        {std::string(10, ' '), 10, true},           // blank
        {"A1-B2", 3, true},                         // ASCII cut
    };
    for (const Case& c : cases)
        ExpectSameAsText(Char(30), c.value, Char(c.width), c.direct);
}

// What the text way would refuse or change is stored data all the same: a copy
// keeps it byte for byte, without a message.
TEST(StoredCopy, TextTheValueCheckRefusesIsKeptExactly) {
    const std::string cases[] = {"O'Brien",
                                 "a\tb",
                                 "ab\t",
                                 "\x80"
                                 "abc",
                                 "ab\xB0",
                                 "\xB0\x20"
                                 "cd"};
    for (const std::string& value : cases) {
        SCOPED_TRACE(value);
        auto source = OneRow(Char(30), value + "  ");
        platform::ScriptedMessageBoxes boxes;
        const Outcome copied = Copied(source->Fields().Item(0), Char(30));
        EXPECT_TRUE(copied.direct);
        EXPECT_TRUE(Same(copied.value, foxdb::Value(value + std::string(30 - value.size(), ' '))));
        EXPECT_TRUE(boxes.Shown().empty());
    }
}

TEST(StoredCopy, NumbersKeepTheirValueAcrossScalesAndTypes) {
    struct Case {
        foxdb::ResultColumn from;
        foxdb::Value value;
        foxdb::ResultColumn to;
        bool direct;
    } cases[] = {
        {Numeric(8, 2), 12.5, Numeric(10, 2), true},
        {Numeric(8, 2), -0.0, Numeric(10, 2), true},   // shows as 0, not -0
        {Numeric(10, 2), 0.125, Numeric(10, 2), true}, // the field's 0.13
        {Numeric(10, 4), 1234.56789, Numeric(10, 2), true},
        {Numeric(10, 2), 12.5, Numeric(8, 0), true},        // rounded to the target's scale
        {Numeric(10, 2), 99999999.99, Numeric(8, 2), true}, // too large: refused both ways
        {Numeric(10, 2), 12.0, Integer(), true},
        {Numeric(10, 2), -7.0, Integer(), true},
        {Numeric(10, 2), 12.5, Integer(), false},      // the text way's message and 0
        {Numeric(12, 0), 3e9, Integer(), false},       // beyond an I field
        {Numeric(20, 2), 1e17, Numeric(20, 2), false}, // beyond exact decimals
        {Integer(), int64_t{7}, Numeric(10, 2), true},
        {Integer(), int64_t{-2147483647 - 1}, Integer(), true},
        {Integer(), int64_t{0}, Integer(), true},
    };
    for (const Case& c : cases)
        ExpectSameAsText(c.from, c.value, c.to, c.direct);
}

TEST(StoredCopy, RandomNumbersMatchTheirTexts) {
    std::mt19937_64 random(20261210);
    std::uniform_real_distribution<double> digits(-3, 10);
    std::uniform_int_distribution<int> scale(0, 4);
    for (int i = 0; i < 2000; ++i) {
        const double magnitude = std::pow(10.0, digits(random));
        const double value = (random() % 2 ? -1 : 1) * magnitude * (random() % 1000) / 999.0;
        const int fromScale = scale(random), toScale = scale(random);
        ExpectSameAsText(Numeric(19, fromScale), value, Numeric(19, toScale), true);
    }
}

TEST(StoredCopy, DatesGoAcrossExactly) {
    const foxdb::Value plain[] = {foxdb::Date{}, Day(2024, 2, 29), Day(1000, 1, 1),
                                  Day(9999, 12, 31)};
    for (const foxdb::Value& value : plain)
        ExpectSameAsText(DateColumn(), value, DateColumn(), true);
    // The text way would make 1899-12-30 the empty date and year 999 another year.
    for (const foxdb::Value& value : {Day(1899, 12, 30), Day(999, 5, 1)}) {
        auto source = OneRow(DateColumn(), value);
        const Outcome copied = Copied(source->Fields().Item(0), DateColumn());
        EXPECT_TRUE(copied.direct);
        EXPECT_TRUE(Same(copied.value, value)) << Show(copied.value);
    }
}
