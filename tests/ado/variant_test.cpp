// Variant conversions the program relies on, and the three texts of ComError.
#include "ado_fixture.h"

#include <cmath>

using namespace ado;
using ado_test::ErrorOf;

TEST(Variant, ToStringAsThePlatformPrints) {
    struct Case {
        Variant value;
        const char* text;
    } cases[] = {
        {Variant(42), "42"},
        {Variant(-7L), "-7"},
        {Variant(12.5), "12.5"},
        {Variant(0.1 + 0.2), "0.3"},
        {Variant(1e20), "1E+20"},
        {Variant(3.14159f), "3.14159"},
        {Variant::Decimal(12.5, 2), "12.5"},
        {Variant::Decimal(-0.004, 2), "0"},
        {Variant::Currency(1234.56789), "1234.5679"},
        {Variant(true), "True"},
        {Variant(), ""},
        {Variant::Date(0), "0:00:00"},
        {Variant::Date(46366), "2026-12-10"},
        {Variant::Date(46366.5), "2026-12-10 12:00:00"},
        {Variant::Date(0.75), "18:00:00"},
        {Variant::Date(-1.25), "1899-12-29 6:00:00"},
        {Variant("车牌 A"), "车牌 A"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.value.ToString(), c.text) << c.text;
}

TEST(Variant, NumbersFromTextAndRounding) {
    struct Case {
        const char* text;
        double asDouble;
        int32_t asLong;
    } cases[] = {
        {"1.6", 1.6, 2}, {"2.5", 2.5, 2},           {"3.5", 3.5, 4},     {" -12 ", -12, -12},
        {"+7", 7, 7},    {"1,234.5", 1234.5, 1234}, {"1e3", 1000, 1000}, {".5", 0.5, 0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(Variant(c.text).ToDouble(), c.asDouble) << c.text;
        EXPECT_EQ(Variant(c.text).ToLong(), c.asLong) << c.text;
    }
    for (const char* bad : {"", "  ", "abc", "12abc", "1.2.3", "--1", "1e"})
        EXPECT_EQ(ErrorOf([&] { Variant(bad).ToDouble(); }), DISP_E_TYPEMISMATCH) << bad;
    EXPECT_EQ(ErrorOf([] { Variant("3000000000").ToLong(); }), DISP_E_OVERFLOW);
    EXPECT_EQ(ErrorOf([] { Variant::Null().ToDouble(); }), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(ErrorOf([] { Variant::Null().ToString(); }), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Variant().ToLong(), 0);
    EXPECT_FLOAT_EQ(Variant("12.25").ToFloat(), 12.25f);
}

TEST(Variant, DatesFromText) {
    struct Case {
        const char* text;
        double ole;
    } cases[] = {
        {"2026-12-10", 46366}, {"2026/12/10", 46366},
        {"2026-1-5", 46027},   {"2026-12-10 12:00:00", 46366.5},
        {"0:00:00", 0},        {"18:00", 0.75},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(Variant(c.text).ToDate(), c.ole) << c.text;
    for (const char* bad : {"2026-02-30", "2026-13-01", "12/10", "today", "2026-12-10 25:00"})
        EXPECT_EQ(ErrorOf([&] { Variant(bad).ToDate(); }), DISP_E_TYPEMISMATCH) << bad;
    EXPECT_EQ(Variant(Variant::Date(46366).ToString()).ToDate(), 46366);
}

TEST(Variant, ChangeTypeAndEquality) {
    EXPECT_EQ(Variant("12").ChangeType(VT_I4), Variant(12));
    EXPECT_EQ(Variant(12).ChangeType(VT_BSTR), Variant("12"));
    EXPECT_EQ(Variant("1.6").ChangeType(VT_INT).vt(), VT_I4);
    EXPECT_EQ(Variant("2026-12-10").ChangeType(VT_DATE), Variant::Date(46366));
    EXPECT_EQ(Variant(46366).ChangeType(VT_DATE).ToString(), "2026-12-10");
    EXPECT_TRUE(Variant::Null() == Variant::Null());
    EXPECT_FALSE(Variant::Null() == Variant(""));
    EXPECT_FALSE(Variant(1) == Variant(1.0));       // same value, other type
    EXPECT_FALSE(Variant("ab") == Variant("ab  ")); // text keeps its blanks
    EXPECT_TRUE(Variant::Missing().IsMissing());
}

TEST(ComError, CodeMessageAndDescription) {
    struct Case {
        ComError error;
        int32_t code;
        const char* message;
    } cases[] = {
        {ComError(kRowChangedSinceRead, "Row cannot be located for updating."), -2147217864,
         "IDispatch error #3128"},
        {ComError(DB_E_ERRORSOCCURRED, "x"), -2147217887, "IDispatch error #3105"},
        {ComError::Ado(adErrNoCurrentRecord, "ADODB.Recordset"), -2146825267,
         "Unknown error 0x800A0BCD"},
        {ComError(E_FAIL, "Uniqueness of index NO is violated."), -2147467259, "Unspecified error"},
        {ComError(E_POINTER, ""), -2147467261, "Invalid pointer"},
        {ComError(DISP_E_TYPEMISMATCH, ""), -2147352571, "Type mismatch."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.error.Error(), c.code);
        EXPECT_EQ(c.error.ErrorMessage(), c.message);
    }
    ComError e = ComError::Ado(adErrItemNotFound, "ADODB.Fields");
    EXPECT_EQ(e.Description(), "Item cannot be found in the collection corresponding to the "
                               "requested name or ordinal.");
    EXPECT_EQ(e.Source(), "ADODB.Fields");
    EXPECT_EQ(e.WCode(), 0);
}
