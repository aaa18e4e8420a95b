#pragma once
// The rows of an open recordset, shared by its clones: column metadata, and per row
// the original and current values (engine values: text in GBK bytes, or UTF-8 for
// Unicode columns read from a file), the status and the DBF record number.
#include "ado/constants.h"
#include "ado/equality_index.h"
#include "ado/variant.h"
#include "foxdb/value.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace foxdb {
struct ResultSet;
}

namespace ado {

struct ColumnInfo {
    std::string name;  // UTF-8
    int type = adChar; // DataTypeEnum
    long definedSize = 0;
    int precision = 255;
    int scale = 255;
    long attributes = 0; // FieldAttributeEnum
    // Where the column is written back: the base table's name (file stem) and the
    // field's 0-based index in it; empty / -1 for computed columns.
    std::string baseTable;
    int baseField = -1;

    bool IsText() const;
    bool IsUnicodeText() const; // its text values are held in UTF-8, not GBK
    bool IsFixedText() const;
};

struct Row {
    std::vector<foxdb::Value> original;
    std::vector<foxdb::Value> current; // empty while equal to `original`
    int status = adRecUnmodified;      // RecordStatusEnum flags
    uint32_t recno = 0;                // DBF record number, 0 when unknown or new
    bool gone = false;                 // dropped (sent delete, cancelled new row)
    bool affected = false;             // touched by the last batch operation

    const std::vector<foxdb::Value>& Values() const { return current.empty() ? original : current; }
    std::vector<foxdb::Value>& Edit() {
        if (current.empty()) current = original;
        return current;
    }
    bool Pending() const { return (status & (adRecNew | adRecModified | adRecDeleted)) != 0; }
};

struct RowStore {
    std::vector<ColumnInfo> columns;
    std::vector<Row> rows; // a row's id is its index; ids are never reused
    // Bumped by every change of the set of rows, so that clones refresh their views.
    uint64_t generation = 0;
    EqualityIndex equalityIndex;

    // Every writer of a row's values calls this (a new row counts too).
    void ValuesChanged() { equalityIndex.Clear(); }

    // The base table every written column belongs to, or empty.
    std::string BaseTable() const;
};

// The rows of an engine result: its columns' metadata (base table by file stem)
// and its rows with their record numbers.
std::shared_ptr<RowStore> StoreFromResult(foxdb::ResultSet&& result);

// Engine value <-> Variant for a column, with the provider's conversions on put.
Variant ToVariant(const ColumnInfo& column, const foxdb::Value& value);
foxdb::Value FromVariant(const ColumnInfo& column, const Variant& value); // throws ComError
// A value already in the rows' form, fitted as FromVariant fits a converted one (text
// checked against the size and padded, numbers rounded to the scale). Text, number
// (N), integer (I) and date columns; a value of another kind does not fit.
foxdb::Value FitStored(const ColumnInfo& column, foxdb::Value value); // throws ComError
// An OLE date as the rows hold it: a whole day as a Date (date 0 as the empty
// date), a date with a time of day as the OLE double.
foxdb::Value StoreOleDate(double ole);
// Length in bytes of a stored value (ActualSize), -1 for Null.
long StoredSize(const ColumnInfo& column, const foxdb::Value& value);

} // namespace ado
