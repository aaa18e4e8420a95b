#pragma once
// DBF free tables (Visual FoxPro 0x30..0x32, dBase III / FoxPro 2) and their
// structural .cdx: reading, and all-or-nothing batches of changes.
#include "foxdb/error.h"
#include "foxdb/value.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace foxdb {

struct FieldDef {
    std::string
        name; // UTF-8, as stored (tables created here store ASCII letters upper case, as VFP did)
    char type = 'C'; // C N F I D L T Y B M ...
    int length = 0;  // bytes in the record
    int decimals = 0;
    bool nullable = false; // has a bit in _NullFlags
    bool unique = false;   // candidate tag of the structural .cdx, named after the field
};

// One table opened for reading. The file is mapped (read where it cannot be) at
// open: records later written in place show through, new records and replaced
// files are seen by opening again.
class DbfTable {
public:
    // Throws Error(FileNotFound) or Error(BadFile, "<file>: <what is wrong>").
    static std::unique_ptr<DbfTable> Open(const std::string& path);
    virtual ~DbfTable() = default;

    virtual const std::string& Path() const = 0;
    virtual const std::vector<FieldDef>& Fields() const = 0; // without _NullFlags
    // Index of the field named `name` ignoring ASCII case, or -1.
    virtual int FieldIndex(const std::string& name) const = 0;
    virtual uint32_t RecordCount() const = 0; // from the header; records are 1-based
    virtual bool IsDeleted(uint32_t recno) const = 0;
    virtual Value Get(uint32_t recno, int field) const = 0;
    virtual void ReadRecord(uint32_t recno, std::vector<Value>& values) const = 0;
    // The field's bytes in the record, undecoded: C text with its blank padding, N as
    // its ASCII digits, I as 4 little-endian bytes, D as YYYYMMDD or blanks. A NULL
    // field gives its blank bytes (see FieldIsNull). Valid while the table lives.
    virtual std::string_view RawField(uint32_t recno, int field) const = 0;
    // The field's bit in _NullFlags, without decoding the value.
    virtual bool FieldIsNull(uint32_t recno, int field) const = 0;
    // Throws Error(BadFile) when another program cut the file short under the
    // reads made so far: what they gave past its new end is not the table's.
    virtual void CheckIntact() const = 0;
};

// The record count of a table file from its header alone, checked against the file's
// size as Open checks it. Throws Error as Open does.
uint32_t ReadRecordCount(const std::string& path);

// Changes to one table, applied together by Commit: the table file and its index
// are written to temporary files and renamed into place, so a crash leaves the old
// table or the new one. Commit checks UNIQUE first and changes nothing on a violation.
class TableEdit {
public:
    explicit TableEdit(const std::string& path);
    // Begins on `opened`, the table at `path` as just opened, instead of reading it
    // again; a null one is read.
    TableEdit(const std::string& path, std::unique_ptr<DbfTable> opened);
    ~TableEdit();
    TableEdit(const TableEdit&) = delete;
    TableEdit& operator=(const TableEdit&) = delete;

    const DbfTable& Table() const; // the table as it was when the edit began

    // A value is converted by the field's type; one that cannot be stored throws
    // Error(TypeMismatch) naming the field.
    void Update(uint32_t recno, int field, const Value& value);
    uint32_t Append(const std::vector<Value>& values); // Null for fields not given; returns recno
    void ReserveAppends(size_t records);               // room for that many appended records
    void Delete(uint32_t recno);                       // marks
    void Recall(uint32_t recno);
    // Current value of a record within this edit (staged changes included).
    Value Get(uint32_t recno, int field) const;
    bool IsDeleted(uint32_t recno) const;

    void Commit();
    // The table as the last Commit left it (as it began, without one); the edit is
    // done with.
    std::unique_ptr<DbfTable> Release();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// CREATE TABLE from a definition text as the catalogue writes it, e.g.
// "ljkc(编号 C(30),名称 c(40),数量 N(10,2),日期 D,no I UNIQUE)" or without the name
// part when `name` is given separately. Fails if the table exists.
void CreateTable(const std::string& folder, const std::string& name,
                 const std::vector<FieldDef>& fields);
std::vector<FieldDef> ParseFieldList(const std::string& definition);

// A field name the dialect can name again: letters (Chinese ones too), digits and
// "_", not starting with a digit, and no reserved word.
bool IsValidFieldName(const std::string& name);
// `text` (a column heading from outside) made such a name: other characters become
// "_", a leading digit or a reserved word gets one more "_"; cut to 10 GBK bytes.
// Empty when nothing of it is left.
std::string ValidFieldName(const std::string& text);

// Copies the records of table `from` that are not deleted into the empty table
// `to`, whose fields must be the same (name, type, size) and hold no memo (else
// Error(Other) and nothing is written): each record as it is, `numberField` set to
// 1, 2, ... in order. The records go to the file as they are read, so neither table
// is held twice; `to` is written in place, for a table nobody uses yet (a rebuild's
// staged copy). Returns the number of records copied.
uint32_t CopyLiveRecords(const std::string& from, const std::string& to,
                         const std::string& numberField);
// The same result made from `from` itself, a scratch copy of the table nobody else
// uses: it is renamed to `to` (the same folder's file system; headers of one
// length) and its records are moved down over the deleted ones, writing only the
// records that move or are numbered anew. Throws as CopyLiveRecords does; `from`
// is left alone when the check before the rename fails.
uint32_t CompactLiveRecords(const std::string& from, const std::string& to,
                            const std::string& numberField);

// The numbers above `floor` held by the number field `field` of the table at `path`,
// deleted records included, in no particular order. An integer field with a tag in an
// index known to match is answered by a seek, not a read of every record. Throws Error
// as DbfTable::Open; an unknown field gives none.
std::vector<int64_t> NumbersAbove(const std::string& path, const std::string& field, int64_t floor);

// Removes deleted records and rebuilds the index, all-or-nothing.
void Pack(const std::string& path);

// The path of table `name` ("ljkc", "LJDB", "ljkc.dbf") in `folder`, found
// case-insensitively; empty when there is none.
std::string FindTableFile(const std::string& folder, const std::string& name);

} // namespace foxdb
