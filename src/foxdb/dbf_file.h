#pragma once
// The DbfTable of a file mapped (or read) whole, with what the writers need of it.
// A mapped table shows changes written into the file in place; writers find such
// a change by the file's stamp. Readers stat the file before each statement and
// open it again when it changed, so a file cut short is opened anew, not read past;
// one cut short while a statement runs makes its reads fail (CheckIntact).
#include "foxdb/cdx_index.h"
#include "foxdb/dbf_format.h"
#include "foxdb/in_place_write.h"
#include "foxdb/mapping_guard.h"
#include "foxdb/table_files.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace foxdb {

// A tag of the structural index the writers keep up to date.
struct IndexedField {
    std::string tagName;
    std::string expression;
    int field = -1; // index into the visible fields
    bool unique = false;
};

class DbfFile : public DbfTable {
public:
    // Reads the table and the tags of its structural index.
    static std::unique_ptr<DbfFile> Read(const std::string& path);
    // The table just written as `bytes` over `previous`, without reading it back.
    static std::unique_ptr<DbfFile> Adopt(const DbfFile& previous, std::string bytes,
                                          const FileStamp& stamp);
    ~DbfFile() override;

    const std::string& Path() const override { return path_; }
    const std::vector<FieldDef>& Fields() const override { return layout_.defs; }
    int FieldIndex(const std::string& name) const override;
    uint32_t RecordCount() const override { return layout_.recordCount; }
    bool IsDeleted(uint32_t recno) const override { return *Record(recno) == kRecordDeleted; }
    Value Get(uint32_t recno, int field) const override;
    void ReadRecord(uint32_t recno, std::vector<Value>& values) const override;
    std::string_view RawField(uint32_t recno, int field) const override;
    bool FieldIsNull(uint32_t recno, int field) const override {
        return layout_.IsNull(Record(recno), Slot(field));
    }
    void CheckIntact() const override;
    // The whole record, deletion flag first.
    const char* RecordBytes(uint32_t recno) const { return Record(recno); }
    size_t RecordLength() const { return layout_.recordLength; }

    const DbfLayout& Layout() const { return layout_; }
    const FieldSlot& Slot(int field) const;
    const FileStamp& Stamp() const { return stamp_; }
    const std::string& IndexPath() const { return indexPath_; }
    // The index tags this program can rebuild; throws when the index cannot be kept
    // (missing though the header announces it, damaged, or with expressions we cannot
    // evaluate).
    const std::vector<IndexedField>& IndexedFields() const;
    // Whether every tag of the index on disk holds exactly the key of each record;
    // an index from another time (it travelled apart from its table) does not.
    // Checked once per snapshot, unless the pair is known (index_trust.h).
    bool IndexMatchesRecords() const;
    // The records whose `field` equals `value`, from the structural index when it
    // has a tag on the field; false when it cannot answer (no tag, an index that
    // does not match, a value the field would not hold as it is).
    bool SeekIndex(int field, const Value& value, std::vector<uint32_t>& recnos) const;
    // The same for an index key as IndexKey gives it, or any greater key with `orGreater`.
    bool SeekIndexKey(int field, const std::string& key, std::vector<uint32_t>& recnos,
                      bool orGreater = false) const;
    // Whether the index is known to match the records without a check now: checked
    // already, or a pair known by its stamps.
    bool IndexKnownToMatch() const;
    // The bytes of the index file when it is known to match; false otherwise.
    bool ReadKnownIndex(std::string& bytes) const;
    // The tag of the index on `field`, or null.
    const CdxTag* TagOn(int field) const;
    // The table's bytes from the first record on (the records, then what follows).
    const char* Records() const { return data_ + layout_.headerLength; }
    // The whole file as read: header, records and what follows.
    const char* FileBytes() const { return data_; }
    size_t FileSize() const { return size_; }
    // Takes in the same changes just written into the file in place (none beyond
    // its end, no key changed) and the file's new stamp.
    void Patch(const std::vector<FilePatch>& patches, const FileStamp& stamp);

private:
    const char* Record(uint32_t recno) const;
    void ReadIndexTags();
    void ReadMemoFile();
    // The text of a memo field: its block in the .fpt, or "" for none.
    std::string MemoText(const char* record, const FieldSlot& slot) const;

    std::string path_;
    // The file's bytes: mapped, read into an uninitialised buffer where mapping
    // fails, or the bytes just written.
    char* mapped_ = nullptr;
    MappingGuard guard_; // of mapped_
    std::unique_ptr<char[]> read_;
    std::string written_;
    const char* data_ = nullptr;
    size_t size_ = 0;
    DbfLayout layout_;
    FileStamp stamp_;
    std::string indexPath_;
    std::vector<IndexedField> indexed_;
    std::vector<CdxTag> indexTags_; // the tag of each of indexed_ as read
    FileStamp indexStamp_;          // of the index file those tags came from
    mutable int indexMatches_ = -1; // IndexMatchesRecords once known
    std::string indexProblem_;      // why the index cannot be kept, or empty
    std::string memoPath_;          // the .fpt of a table with memo fields
    std::string memo_;              // its bytes
    uint32_t memoBlockSize_ = 0;
};

// Sets today's date and `recordCount` in a table header (its first 8 bytes at least).
void StampHeader(std::string& bytes, uint32_t recordCount);

// A tag of `field` with no keys yet.
CdxTagContent EmptyTag(const DbfLayout& layout, const IndexedField& field);

// The bytes of record `recno` (from 1).
using RecordAt = std::function<const char*(uint32_t recno)>;

// The structural index of records 1 to `recordCount`.
std::string BuildIndexFile(const DbfLayout& layout, uint32_t recordCount, const RecordAt& record,
                           const std::vector<IndexedField>& indexed);

// Writes `patches` (changed records, appended ones) into `snapshot`'s table file in
// place, with the header's date and `recordCount`, which are added to `patches`;
// `newSize` is the file's size after. `index`, when given, is the new structural
// index, which replaces the old one together with the records (a change to keys or
// new records); without it the index must stay right as it is. Checks as
// CommitTable does. Returns the stamp of the file written.
FileStamp CommitInPlace(const DbfFile& snapshot, std::vector<FilePatch>& patches,
                        uint32_t recordCount, uint64_t newSize, const std::string* index);

// Writes a new version of `snapshot`'s table: `bytes` holds its header and
// `recordCount` records. Sets the count and date in the header, adds the end mark,
// rebuilds the structural index from the records and replaces both files
// all-or-nothing, provided the table on disk is still `snapshot`. Returns the stamp
// of the file written.
FileStamp CommitTable(const DbfFile& snapshot, std::string& bytes, uint32_t recordCount);

} // namespace foxdb
