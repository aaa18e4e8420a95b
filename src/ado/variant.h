#pragma once
// VARIANT in place of the platform's: a tagged value with the conversions the
// program makes (VariantChangeType with no flags). Text is UTF-8. A conversion
// that cannot be made throws ComError(DISP_E_TYPEMISMATCH), one that does not fit
// its target throws ComError(DISP_E_OVERFLOW).
#include <cstdint>
#include <string>

namespace ado {

enum VARENUM : uint16_t {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_CY = 6,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_DECIMAL = 14,
    VT_I1 = 16,
    VT_UI1 = 17,
    VT_UI2 = 18,
    VT_UI4 = 19,
    VT_I8 = 20,
    VT_UI8 = 21,
    VT_INT = 22,
    VT_UINT = 23,
};
using VARTYPE = uint16_t;

class Variant {
public:
    Variant() = default; // VT_EMPTY
    Variant(int value);  // VT_I4
    Variant(long value); // VT_I4 (ADO's long is 32 bits; larger values overflow)
    Variant(double value);
    Variant(float value);
    Variant(bool value);
    Variant(const std::string& text); // VT_BSTR
    Variant(std::string&& text);
    Variant(const char* text);

    static Variant Null();
    // "Argument not given" (VT_ERROR, DISP_E_PARAMNOTFOUND), ADO's vtMissing.
    static Variant Missing();
    // OLE automation date: days since 1899-12-30, the fraction the time of day.
    static Variant Date(double oleDate);
    // An exact number with `scale` digits after the point (VT_DECIMAL), as numeric
    // fields read; the value is rounded to the scale.
    static Variant Decimal(double value, int scale);
    static Variant Currency(double value); // VT_CY: rounded to 4 decimals
    static Variant Int64(int64_t value);   // VT_I8
    static Variant Short(int16_t value);   // VT_I2

    VARTYPE vt() const { return vt_; }
    bool IsEmpty() const { return vt_ == VT_EMPTY; }
    bool IsNull() const { return vt_ == VT_NULL; }
    bool IsMissing() const { return vt_ == VT_ERROR; }
    // Scale of a VT_DECIMAL (0 for other types).
    int Scale() const { return vt_ == VT_DECIMAL ? scale_ : 0; }

    // Conversions. Empty converts to "" / 0 / false / date 0; Null fails (type mismatch).
    std::string ToString() const; // numbers as the platform prints them, dates "%Y-%m-%d"
                                  // (with " H:MM:SS" when there is a time; date 0 is
                                  // "0:00:00"), booleans "True"/"False"
    int32_t ToLong() const;       // rounded half to even ("1.6" gives 2)
    int64_t ToInt64() const;
    double ToDouble() const;
    float ToFloat() const;
    double ToDate() const; // the OLE date; text in "%Y-%m-%d", "%Y/%m/%d", optional time
    bool ToBool() const;
    // The same value as another type (VT_INT and VT_UINT act as VT_I4).
    Variant ChangeType(VARTYPE type) const;

    // Same type and same value; a Null equals only a Null, text compares with its blanks.
    friend bool operator==(const Variant& a, const Variant& b);
    friend bool operator!=(const Variant& a, const Variant& b) { return !(a == b); }

private:
    VARTYPE vt_ = VT_EMPTY;
    int scale_ = 0;    // VT_DECIMAL
    int64_t int_ = 0;  // integer types, VT_BOOL (-1 / 0), VT_ERROR's code
    double real_ = 0;  // VT_R4, VT_R8, VT_CY, VT_DATE, VT_DECIMAL
    std::string text_; // VT_BSTR
};

} // namespace ado
