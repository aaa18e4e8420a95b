#pragma once
// Fields and Field of a recordset: the columns' metadata and the current record's
// values. Values are Variants in UTF-8; text is converted from and to the tables'
// GBK here, at the field boundary.
#include "ado/constants.h"
#include "ado/variant.h"
#include "foxdb/value.h"

#include <string>
#include <vector>

namespace ado {

class Recordset;
struct ColumnInfo;

// A Field belongs to its recordset and is valid while that recordset is open.
class Field {
public:
    const std::string& Name() const;
    DataTypeEnum Type() const;
    // Text: the capacity in bytes (GBK bytes for the tables' C(n) fields, so n);
    // other types: the size the engine reports for them.
    long DefinedSize() const;
    // Length in bytes of the current value (GBK bytes for text); -1 when it is Null.
    long ActualSize() const;
    unsigned char Precision() const;
    unsigned char NumericScale() const;
    long Attributes() const; // FieldAttributeEnum flags

    // The current record's value: VT_NULL for a database Null; text VT_BSTR
    // (fixed-width text keeps its blank padding), integers VT_I4, numeric VT_DECIMAL,
    // dates VT_DATE (the empty date is date 0), doubles VT_R8, logicals VT_BOOL.
    // No current record: 3021.
    Variant Value() const;
    // Converts `value` to the field's type as the provider did (text into numbers
    // and dates is parsed; VT_EMPTY and VT_NULL store Null) and starts an edit of the
    // current record. A value that cannot be converted, or that does not fit (text
    // longer than DefinedSize in GBK bytes, a number too large for the precision),
    // throws ComError(DB_E_ERRORSOCCURRED) and changes nothing; text is never cut.
    void PutValue(const Variant& value);
    // The current record's value as the rows hold it (text in the table's GBK bytes,
    // blank-padded), for copies between recordsets that need no text form.
    const foxdb::Value& StoredValue() const;
    // Puts a value in that form into the current record, fitted as PutValue fits a
    // converted one (text checked against the size and padded, numbers rounded to
    // the scale); for text, N, I and date fields. A value of another kind, or one
    // that does not fit, throws ComError(DB_E_ERRORSOCCURRED) and changes nothing.
    void PutStoredValue(foxdb::Value value);
    // The value as last read from or written to the database (before pending edits).
    Variant OriginalValue() const;
    // The database's value as the cursor last saw it (equal to OriginalValue until
    // the row is saved again).
    Variant UnderlyingValue() const;

private:
    friend class Fields;
    Field(Recordset* owner, int index) : owner_(owner), index_(index) {}
    const ColumnInfo& Column() const; // 3704 when the recordset is closed
    void Store(long row, foxdb::Value stored);
    Recordset* owner_;
    int index_;
};

class Fields {
public:
    long Count() const;
    // By 0-based ordinal or by name (ASCII case ignored); a missing one: 3265.
    Field& Item(int index);
    Field& Item(const std::string& name);
    Field& Item(const char* name) { return Item(std::string(name)); }
    Field& operator[](int index) { return Item(index); }
    Field& operator[](const std::string& name) { return Item(name); }
    // The ordinal of a field name, or -1.
    int IndexOf(const std::string& name) const;

private:
    friend class Recordset;
    struct ColumnInfo;
    explicit Fields(Recordset* owner) : owner_(owner) {}
    void Reset(int count); // one Field per column of the open recordset
    Recordset* owner_;
    std::vector<Field> items_;
};

} // namespace ado
