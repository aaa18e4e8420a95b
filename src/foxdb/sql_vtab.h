#pragma once
// The SQLite virtual-table module "foxdbf" over DbfTable: one virtual table per
// table file, columns c0..cN in field order. Deleted records are invisible;
// text goes in as GBK bytes (BLOBs) without trailing blanks, so SQLite's own
// comparisons give FoxPro's blank-insensitive, byte-ordered results; dates are
// day numbers. Equality constraints of joins and IN lists are answered from a
// hash index built on first use and kept while the table file is unchanged; the
// same index hands a GROUP BY on one text field its records already grouped.
#include "foxdb/dbf_table.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace foxdb::sql {

// One table file as the engine currently sees it.
class DbfSlot {
public:
    explicit DbfSlot(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }
    const DbfTable& Table() const { return *table_; }
    bool IsOpen() const { return table_ != nullptr; }

    // Reopens the table when its file changed since the last look (or was never
    // opened). Returns true when the field list changed. Throws Error.
    bool Refresh();
    void Forget() { table_.reset(); }
    // Hands the table to a writer; Keep takes back what the writer committed.
    std::unique_ptr<DbfTable> Take();
    void Keep(std::unique_ptr<DbfTable> table);

    // The live records of each key of one field, in ascending order. The keys lie end
    // to end in one buffer: building it allocates per table, not per record.
    class Index {
    public:
        Index(const DbfTable& table, int field);
        uint32_t First(std::string_view key) const; // the lowest record, 0 for none
        uint32_t Next(uint32_t recno) const { return next_[recno]; }
        // Every live record, those of one key together: the NULLs first, then the
        // keys in byte order (reversed when `descending`, the NULLs then last), each
        // key's records in ascending order, as a stable sort on the field gives them.
        std::vector<uint32_t> RecordsInKeyOrder(bool descending) const;

    private:
        size_t Bucket(std::string_view key, size_t hash) const;
        std::string_view Key(size_t id) const;
        void Grow();

        std::string keys_;
        std::vector<size_t> keyEnd_;    // key id -> the end of its bytes in keys_
        std::vector<size_t> hash_;      // key id -> its hash
        std::vector<uint32_t> firstOf_; // key id -> its lowest record
        std::vector<uint32_t> buckets_; // key id + 1, 0 for an empty bucket
        std::vector<uint32_t> next_;    // recno -> the next record of its key, 0 ends
        std::vector<uint32_t> nulls_;   // the live records without a key, ascending
    };
    bool HasIndex(int field) const;
    // Whether the table's structural index has a tag on `field`; Seek answers an
    // equality from it (false when it cannot, see DbfFile::SeekIndex).
    bool HasTag(int field) const;
    bool Seek(int field, const Value& value, std::vector<uint32_t>& recnos) const;
    const Index& IndexOn(int field); // built on first use
    // The records not deleted, counted once per version of the file. Throws Error
    // when the file was cut short under the count.
    uint32_t LiveCount();

    std::string vtabName; // the virtual table declared for the current field list

private:
    std::string path_;
    std::unique_ptr<DbfTable> table_;
    std::vector<std::unique_ptr<Index>> indexes_;
    long long liveCount_ = -1; // unknown
    long long mtimeNs_ = -1, size_ = -1, inode_ = -1;
};

// The length of text without its trailing blanks and NULs, as SQLite is given it.
size_t TrimmedLength(std::string_view s);

// The index key of a value: text without trailing blanks, numbers and dates as
// doubles. False for NULL.
bool IndexKey(const Value& value, std::string& key);

// Registers the module; `lookup` gives the slot named by the argument of
// CREATE VIRTUAL TABLE ... USING foxdbf(<number>).
void RegisterDbfModule(sqlite3* db, std::function<DbfSlot*(int)> lookup);

} // namespace foxdb::sql
