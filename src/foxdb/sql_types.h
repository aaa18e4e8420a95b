#pragma once
// The types of the dialect's values as the parser infers them, and how each one
// surfaces through ADO (type code, defined size, precision, scale).
#include "foxdb/dbf_table.h"

namespace foxdb::sql {

struct Type {
    enum Kind {
        Null,     // the NULL literal: fits anything
        Char,     // C(width): GBK bytes, blank padded
        Numeric,  // N(precision, scale) and F
        Integer,  // I, counts, day differences
        Double,   // B
        Date,     // D: Julian day, 0 = the empty date
        DateTime, // T: only its day part is kept
        Logical,  // L and every condition
    };
    Kind kind = Null;
    int width = 0;     // Char: bytes, kMemoWidth for memo text; Integer: 4 or 8 bytes
    int precision = 0; // Numeric
    int scale = 0;     // Numeric

    static constexpr int kMemoWidth = -1;
    static Type OfChar(int width) { return {Char, width, 0, 0}; }
    static Type OfNumeric(int precision, int scale) { return {Numeric, 0, precision, scale}; }
    static Type Of(Kind kind) { return {kind, 0, 0, 0}; }
    static Type OfWideInteger() { return {Integer, 8, 0, 0}; }
    static Type OfField(const FieldDef& field);

    bool IsNumber() const { return kind == Numeric || kind == Integer || kind == Double; }
    bool IsDate() const { return kind == Date || kind == DateTime; }
};

// Whether two operands may meet in a comparison, IN, BETWEEN or IIF.
bool Comparable(const Type& a, const Type& b);

// The result of a + - * / between two numbers (never for Char or dates).
Type ArithmeticResult(const Type& a, const Type& b, char op);

struct AdoShape {
    int type = 0;
    int definedSize = 0;
    int precision = 0;
    int scale = 0;
};
AdoShape ToAdo(const Type& type);

} // namespace foxdb::sql
