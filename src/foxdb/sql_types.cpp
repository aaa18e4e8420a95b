#include "foxdb/sql_types.h"

#include "foxdb/database.h"

#include <algorithm>

namespace foxdb::sql {

Type Type::OfField(const FieldDef& field) {
    switch (field.type) {
    case 'C':
    case 'V':
        return OfChar(field.length);
    case 'M':
        return OfChar(kMemoWidth);
    case 'N':
    case 'F':
        return OfNumeric(field.length, field.decimals);
    case 'Y':
        return OfNumeric(19, 4);
    case 'I':
        return Of(Integer);
    case 'B':
        return Of(Double);
    case 'D':
        return Of(Date);
    case 'T':
        return Of(DateTime);
    case 'L':
        return Of(Logical);
    default:
        return OfChar(field.length);
    }
}

bool Comparable(const Type& a, const Type& b) {
    if (a.kind == Type::Null || b.kind == Type::Null) return true;
    if (a.IsNumber() && b.IsNumber()) return true;
    if (a.IsDate() && b.IsDate()) return true;
    return a.kind == b.kind;
}

Type ArithmeticResult(const Type& a, const Type& b, char op) {
    if (a.kind == Type::Null) return b.kind == Type::Null ? Type::Of(Type::Null) : b;
    if (b.kind == Type::Null) return a;
    if (op == '/') {
        int scale = std::max({2, a.scale, b.scale});
        return Type::OfNumeric(20, scale);
    }
    if (a.kind == Type::Integer && b.kind == Type::Integer)
        return a.width == 8 || b.width == 8 ? Type::OfWideInteger() : Type::Of(Type::Integer);
    if (a.kind == Type::Double || b.kind == Type::Double) return Type::Of(Type::Double);
    // Integers count as N(10,0) next to an N column.
    int pa = a.kind == Type::Integer ? 10 : a.precision, sa = a.scale;
    int pb = b.kind == Type::Integer ? 10 : b.precision, sb = b.scale;
    if (op == '*') return Type::OfNumeric(std::min(20, pa + pb), std::min(18, sa + sb));
    int scale = std::max(sa, sb);
    int whole = std::max(pa - sa, pb - sb) + 1;
    return Type::OfNumeric(std::min(20, whole + scale), scale);
}

AdoShape ToAdo(const Type& type) {
    switch (type.kind) {
    case Type::Char:
        if (type.width == Type::kMemoWidth) return {adLongVarChar, 2147483647, 255, 255};
        return {adChar, type.width, 255, 255};
    case Type::Numeric:
        // The size counts sign and point, as N(10,2) reads back as size 12.
        return {adNumeric, type.precision + 2, type.precision, type.scale};
    case Type::Integer:
        if (type.width == 8) return {adBigInt, 8, 19, 0};
        return {adInteger, 4, 10, 0};
    case Type::Double:
        return {adDouble, 8, 15, 255};
    case Type::Date:
        return {adDBDate, 6, 10, 255};
    case Type::DateTime:
        return {adDBTimeStamp, 16, 19, 0};
    case Type::Logical:
        return {adBoolean, 2, 255, 255};
    case Type::Null:
        break;
    }
    return {adChar, 0, 255, 255};
}

} // namespace foxdb::sql
