#pragma once
// The byte layout of a DBF file: header and field descriptors, and the codec of
// one field inside a record. Shared by the reader and the writers.
#include "foxdb/dbf_table.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace foxdb {

constexpr unsigned char kVersionVfp = 0x30;
constexpr unsigned char kCodePageGbk = 0x7A;
constexpr unsigned char kFlagStructuralCdx = 0x01;
constexpr char kRecordActive = ' ';
constexpr char kRecordDeleted = '*';
constexpr char kEndOfFile = 0x1A;
constexpr size_t kBacklinkSize = 263;

// A visible field with where its bytes and bits are.
struct FieldSlot {
    FieldDef def;
    size_t offset = 0;  // in the record; the deletion flag is byte 0
    int nullBit = -1;   // bit in _NullFlags, -1 when not nullable
    int lengthBit = -1; // V/Q: bit set when the value is shorter than the slot
};

struct DbfLayout {
    unsigned char version = kVersionVfp;
    unsigned char tableFlags = 0;
    unsigned char codePage = kCodePageGbk;
    uint32_t recordCount = 0;
    size_t headerLength = 0;
    size_t recordLength = 0;
    std::vector<FieldSlot> fields; // visible fields only
    std::vector<FieldDef> defs;    // the same, as the table's Fields()
    size_t nullFlagsOffset = 0;    // 0 when the table has no _NullFlags
    size_t nullFlagsLength = 0;

    bool IsVfp() const { return version == 0x30 || version == 0x31 || version == 0x32; }
    bool IsNull(const char* record, const FieldSlot& slot) const {
        return slot.nullBit >= 0 && nullFlagsOffset != 0 &&
               (static_cast<unsigned char>(record[nullFlagsOffset + slot.nullBit / 8]) >>
                (slot.nullBit % 8)) &
                   1;
    }
};

// Parses the header and descriptors of a file of `size` bytes whose first bytes
// are `data` (`available` of them). Checks every length against the file size.
// Throws Error(BadFile, "<file>: <what is wrong>").
DbfLayout ParseDbfLayout(const char* data, size_t available, size_t size,
                         const std::string& fileName);

// The layout the driver gives a new table: VFP, GBK, nullable fields with bits in
// _NullFlags, the header flag for a structural index when a field is unique.
DbfLayout MakeVfpLayout(const std::vector<FieldDef>& fields);
// Header, descriptors, terminator and backlink for `layout`, dated today.
std::string BuildDbfHeader(const DbfLayout& layout);

// The field's value in a record (NULL from _NullFlags, otherwise by type).
Value DecodeField(const DbfLayout& layout, const char* record, const FieldSlot& slot);
// The same into `out`, reusing the text buffer it may hold (for scans).
void DecodeFieldInto(const DbfLayout& layout, const char* record, const FieldSlot& slot,
                     Value& out);
// The field's bytes in a record without decoding (V/Q cut to their length).
std::string_view RawFieldBytes(const DbfLayout& layout, const char* record, const FieldSlot& slot);

// A record with every nullable field NULL and the others blank.
std::string BlankRecord(const DbfLayout& layout);
// Stores `value` into the field of `record` (recordLength bytes). Null makes a
// nullable field NULL and blanks another. Throws Error(TypeMismatch) for a value
// the type cannot hold and Error(Other) for a number too large for the field.
void EncodeField(const DbfLayout& layout, char* record, const FieldSlot& slot, const Value& value);

} // namespace foxdb
