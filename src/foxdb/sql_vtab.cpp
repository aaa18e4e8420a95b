#include "foxdb/sql_vtab.h"

#include "foxdb/dbf_file.h"
#include "foxdb/error.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numeric>
#include <sqlite3.h>
#include <sys/stat.h>

namespace foxdb::sql {

// ---- Slot ----------------------------------------------------------------

bool DbfSlot::Refresh() {
    struct stat st;
    if (stat(path_.c_str(), &st) != 0) {
        table_.reset();
        throw Error(ErrorKind::FileNotFound, "File '" + path_ + "' does not exist.");
    }
    long long mtime = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    if (table_ && mtime == mtimeNs_ && st.st_size == size_ &&
        static_cast<long long>(st.st_ino) == inode_)
        return false;
    std::vector<FieldDef> before;
    bool hadTable = table_ != nullptr;
    if (hadTable) before = table_->Fields();
    table_.reset();
    indexes_.clear();
    liveCount_ = -1;
    table_ = DbfTable::Open(path_);
    mtimeNs_ = mtime;
    size_ = st.st_size;
    inode_ = static_cast<long long>(st.st_ino);
    indexes_.resize(table_->Fields().size());
    const auto& after = table_->Fields();
    if (!hadTable || before.size() != after.size()) return true;
    for (size_t i = 0; i < after.size(); ++i)
        if (before[i].name != after[i].name || before[i].type != after[i].type ||
            before[i].length != after[i].length || before[i].decimals != after[i].decimals)
            return true;
    return false;
}

std::unique_ptr<DbfTable> DbfSlot::Take() {
    indexes_.clear();
    liveCount_ = -1;
    return std::move(table_);
}

void DbfSlot::Keep(std::unique_ptr<DbfTable> table) {
    const auto* file = dynamic_cast<const DbfFile*>(table.get());
    if (!file || file->Path() != path_) return;
    const FileStamp& stamp = file->Stamp();
    mtimeNs_ = stamp.modifiedNs;
    size_ = stamp.size;
    inode_ = static_cast<long long>(stamp.inode);
    table_ = std::move(table);
    indexes_.clear();
    indexes_.resize(table_->Fields().size());
    liveCount_ = -1;
}

uint32_t DbfSlot::LiveCount() {
    if (liveCount_ >= 0) return static_cast<uint32_t>(liveCount_);
    const uint32_t count = table_->RecordCount();
    uint32_t deleted = 0;
    if (const auto* file = dynamic_cast<const DbfFile*>(table_.get())) {
        // Only the flag byte of each record is touched.
        const char* flag = file->Records();
        const size_t step = file->RecordLength();
        for (uint32_t i = 0; i < count; ++i, flag += step)
            deleted += *flag == kRecordDeleted;
    } else {
        for (uint32_t recno = 1; recno <= count; ++recno)
            deleted += table_->IsDeleted(recno);
    }
    table_->CheckIntact();
    liveCount_ = count - deleted;
    return count - deleted;
}

bool DbfSlot::HasTag(int field) const {
    const auto* file = dynamic_cast<const DbfFile*>(table_.get());
    if (!file) return false;
    try {
        for (const IndexedField& tag : file->IndexedFields())
            if (tag.field == field) return true;
    } catch (const Error&) {
    }
    return false;
}

bool DbfSlot::Seek(int field, const Value& value, std::vector<uint32_t>& recnos) const {
    const auto* file = dynamic_cast<const DbfFile*>(table_.get());
    return file && file->SeekIndex(field, value, recnos);
}

bool DbfSlot::HasIndex(int field) const {
    return field >= 0 && static_cast<size_t>(field) < indexes_.size() && indexes_[field];
}

const DbfSlot::Index& DbfSlot::IndexOn(int field) {
    auto& slot = indexes_.at(static_cast<size_t>(field));
    if (!slot) slot = std::make_unique<Index>(*table_, field);
    return *slot;
}

DbfSlot::Index::Index(const DbfTable& table, int field) {
    const uint32_t count = table.RecordCount();
    next_.assign(count + 1, 0);
    buckets_.assign(1024, 0);
    // Text is keyed on the record's bytes, without making a value of each.
    const bool text = table.Fields().at(static_cast<size_t>(field)).type == 'C';
    std::string key;
    // Backwards, so each chain comes out in ascending record order.
    for (uint32_t recno = count; recno >= 1; --recno) {
        if (table.IsDeleted(recno)) continue;
        if (text) {
            if (table.FieldIsNull(recno, field)) {
                nulls_.push_back(recno);
                continue;
            }
            const std::string_view raw = table.RawField(recno, field);
            key.assign(1, 'b');
            key.append(raw.data(), TrimmedLength(raw));
        } else if (!IndexKey(table.Get(recno, field), key)) {
            nulls_.push_back(recno);
            continue;
        }
        const size_t hash = std::hash<std::string_view>{}(key);
        const size_t bucket = Bucket(key, hash);
        if (const uint32_t id = buckets_[bucket]) {
            next_[recno] = firstOf_[id - 1];
            firstOf_[id - 1] = recno;
            continue;
        }
        keys_ += key;
        keyEnd_.push_back(keys_.size());
        hash_.push_back(hash);
        firstOf_.push_back(recno);
        buckets_[bucket] = static_cast<uint32_t>(firstOf_.size());
        if (firstOf_.size() * 2 > buckets_.size()) Grow();
    }
    std::reverse(nulls_.begin(), nulls_.end());
    table.CheckIntact();
}

std::vector<uint32_t> DbfSlot::Index::RecordsInKeyOrder(bool descending) const {
    // Keys of one field share their first byte, so whole keys sort as the values do
    // (bytes unsigned, a prefix first), which is how SQLite orders BLOBs.
    std::vector<uint32_t> ids(firstOf_.size());
    std::iota(ids.begin(), ids.end(), 0u);
    std::sort(ids.begin(), ids.end(), [this](uint32_t a, uint32_t b) { return Key(a) < Key(b); });
    if (descending) std::reverse(ids.begin(), ids.end());
    std::vector<uint32_t> records;
    records.reserve(next_.size());
    if (!descending) records = nulls_;
    for (const uint32_t id : ids)
        for (uint32_t recno = firstOf_[id]; recno != 0; recno = next_[recno])
            records.push_back(recno);
    if (descending) records.insert(records.end(), nulls_.begin(), nulls_.end());
    return records;
}

std::string_view DbfSlot::Index::Key(size_t id) const {
    const size_t begin = id == 0 ? 0 : keyEnd_[id - 1];
    return std::string_view(keys_).substr(begin, keyEnd_[id] - begin);
}

// The bucket holding the key, or the empty one where it would go.
size_t DbfSlot::Index::Bucket(std::string_view key, size_t hash) const {
    const size_t mask = buckets_.size() - 1;
    for (size_t b = hash & mask;; b = (b + 1) & mask) {
        const uint32_t id = buckets_[b];
        if (id == 0 || (hash_[id - 1] == hash && Key(id - 1) == key)) return b;
    }
}

void DbfSlot::Index::Grow() {
    buckets_.assign(buckets_.size() * 2, 0);
    const size_t mask = buckets_.size() - 1;
    for (size_t id = 0; id < hash_.size(); ++id) {
        size_t b = hash_[id] & mask;
        while (buckets_[b] != 0)
            b = (b + 1) & mask;
        buckets_[b] = static_cast<uint32_t>(id + 1);
    }
}

uint32_t DbfSlot::Index::First(std::string_view key) const {
    const uint32_t id = buckets_[Bucket(key, std::hash<std::string_view>{}(key))];
    return id == 0 ? 0 : firstOf_[id - 1];
}

size_t TrimmedLength(std::string_view s) {
    size_t n = s.size();
    // Text fields are mostly padding: eight bytes at a time while each is a blank
    // or a NUL (the only bytes without a bit outside 0x20).
    while (n >= 8) {
        uint64_t word;
        std::memcpy(&word, s.data() + n - 8, sizeof word);
        if ((word & 0xDFDFDFDFDFDFDFDFull) != 0) break;
        n -= 8;
    }
    while (n > 0 && (s[n - 1] == ' ' || s[n - 1] == '\0'))
        --n;
    return n;
}

static void NumberKey(double d, std::string& key) {
    d += 0.0; // -0 and +0 are one key
    key.assign(1, 'n');
    key.append(reinterpret_cast<const char*>(&d), sizeof d);
}

bool IndexKey(const Value& value, std::string& key) {
    struct Visitor {
        std::string& key;
        bool operator()(Null) const { return false; }
        bool operator()(const std::string& s) const {
            key.assign(1, 'b');
            key.append(s, 0, TrimmedLength(s));
            return true;
        }
        bool operator()(double d) const { return NumberKey(d, key), true; }
        bool operator()(int64_t i) const { return NumberKey(static_cast<double>(i), key), true; }
        bool operator()(Date d) const { return NumberKey(d.julianDay, key), true; }
        bool operator()(bool b) const { return NumberKey(b ? 1 : 0, key), true; }
    };
    return std::visit(Visitor{key}, value);
}

static bool SqliteKey(sqlite3_value* v, std::string& key) {
    switch (sqlite3_value_type(v)) {
    case SQLITE_NULL:
        return false;
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        NumberKey(sqlite3_value_double(v), key);
        return true;
    default: {
        const char* p = static_cast<const char*>(sqlite3_value_blob(v));
        size_t n = static_cast<size_t>(sqlite3_value_bytes(v));
        while (n > 0 && (p[n - 1] == ' ' || p[n - 1] == '\0'))
            --n;
        key.assign(1, 'b');
        key.append(p ? p : "", n);
        return true;
    }
    }
}

// ---- Module --------------------------------------------------------------

namespace {

struct Module {
    std::function<DbfSlot*(int)> lookup;
};

struct VTab {
    sqlite3_vtab base;
    DbfSlot* slot;
};

struct Cursor {
    sqlite3_vtab_cursor base;
    DbfSlot* slot;
    const DbfSlot::Index* index = nullptr; // null: scanning every record
    bool sought = false;                   // walking `found`, from the table's own index
    int matchField = -1;                   // scanning only records whose text field is `match`
    std::string match;
    std::vector<uint32_t> found;
    size_t at = 0;
    uint32_t recno = 0;
    uint32_t count = 0;
};

int Connect(sqlite3* db, void* aux, int argc, const char* const* argv, sqlite3_vtab** out,
            char** err) {
    auto* module = static_cast<Module*>(aux);
    DbfSlot* slot = argc > 3 ? module->lookup(std::atoi(argv[3])) : nullptr;
    if (!slot || !slot->IsOpen()) {
        *err = sqlite3_mprintf("foxdbf: no such table slot");
        return SQLITE_ERROR;
    }
    std::string schema = "CREATE TABLE x(";
    const size_t n = slot->Table().Fields().size();
    for (size_t i = 0; i < n; ++i)
        schema += (i ? ",c" : "c") + std::to_string(i);
    schema += ")";
    int rc = sqlite3_declare_vtab(db, schema.c_str());
    if (rc != SQLITE_OK) return rc;
    auto* vtab = static_cast<VTab*>(sqlite3_malloc(sizeof(VTab)));
    if (!vtab) return SQLITE_NOMEM;
    std::memset(vtab, 0, sizeof *vtab);
    vtab->slot = slot;
    *out = &vtab->base;
    return SQLITE_OK;
}

int Disconnect(sqlite3_vtab* vtab) {
    sqlite3_free(vtab);
    return SQLITE_OK;
}

// idxNum: 0 scans every record; column+1 follows the hash index on the column;
// -(column+1) seeks the table's own index; kMatchScan+column scans, passing on only
// the records whose text field holds the constant; kGroupScan+column hands on every
// record in the order of the text field (kDescending added: reversed), from the
// hash index on it.
constexpr int kMatchScan = 1 << 20;
constexpr int kGroupScan = 1 << 21;
constexpr int kDescending = 1 << 22;

// A GROUP BY on one text field, with no ORDER BY but its own: SQLite needs only the
// records of each key together, and the hash index gives them so, saving SQLite's
// sort of every record.
bool GroupsFromIndex(sqlite3_index_info* info, const DbfSlot& slot) {
    if (info->nOrderBy != 1 || sqlite3_vtab_distinct(info) != 1 || !slot.IsOpen()) return false;
    const int column = info->aOrderBy[0].iColumn;
    const auto& fields = slot.Table().Fields();
    return column >= 0 && static_cast<size_t>(column) < fields.size() &&
           fields[static_cast<size_t>(column)].type == 'C';
}

// A constant that SQLite compares byte for byte with a text column: a BLOB (text
// literals reach the engine as BLOBs) under the binary collation.
bool IsTextConstant(sqlite3_index_info* info, int i, const DbfSlot& slot) {
    const auto& c = info->aConstraint[i];
    sqlite3_value* rhs = nullptr;
    if (sqlite3_vtab_rhs_value(info, i, &rhs) != SQLITE_OK || !rhs) return false;
    if (sqlite3_value_type(rhs) != SQLITE_BLOB) return false;
    const char* collation = sqlite3_vtab_collation(info, i);
    if (collation && sqlite3_stricmp(collation, "BINARY") != 0) return false;
    const auto& fields = slot.Table().Fields();
    return static_cast<size_t>(c.iColumn) < fields.size() && fields[c.iColumn].type == 'C';
}

// An equality is answered from the index when the index exists already or the
// value comes from another table (a join, an IN list). A lone constant is
// cheaper to meet by one scan than by building an index first, unless the table's
// own index has a tag on the field: then it is sought there. A lone text constant
// makes the scan compare the field's bytes in the record before SQLite builds any
// value of it; SQLite still checks the constraint.
int BestIndex(sqlite3_vtab* base, sqlite3_index_info* info) {
    DbfSlot* slot = reinterpret_cast<VTab*>(base)->slot;
    const double rows = std::max<double>(1, slot->IsOpen() ? slot->Table().RecordCount() : 1);
    int chosen = -1, matched = -1;
    for (int i = 0; i < info->nConstraint; ++i) {
        const auto& c = info->aConstraint[i];
        if (!c.usable || c.op != SQLITE_INDEX_CONSTRAINT_EQ || c.iColumn < 0) continue;
        sqlite3_value* rhs = nullptr;
        bool constant = sqlite3_vtab_rhs_value(info, i, &rhs) == SQLITE_OK;
        if (constant && !slot->HasIndex(c.iColumn) && !slot->HasTag(c.iColumn)) {
            if (matched < 0 && slot->IsOpen() && IsTextConstant(info, i, *slot)) matched = i;
            continue;
        }
        chosen = i;
        break;
    }
    if (chosen < 0 && matched >= 0) {
        info->idxNum = kMatchScan + info->aConstraint[matched].iColumn;
        info->aConstraintUsage[matched].argvIndex = 1;
        info->estimatedCost = rows;
        info->estimatedRows = static_cast<sqlite3_int64>(std::max(1.0, rows / 1000));
        return SQLITE_OK;
    }
    if (chosen < 0 && GroupsFromIndex(info, *slot)) {
        info->idxNum =
            kGroupScan + info->aOrderBy[0].iColumn + (info->aOrderBy[0].desc ? kDescending : 0);
        info->orderByConsumed = 1;
        info->estimatedCost = rows * 2;
        info->estimatedRows = static_cast<sqlite3_int64>(rows);
        return SQLITE_OK;
    }
    if (chosen < 0) {
        info->idxNum = 0;
        info->estimatedCost = rows;
        info->estimatedRows = static_cast<sqlite3_int64>(rows);
        return SQLITE_OK;
    }
    int column = info->aConstraint[chosen].iColumn;
    sqlite3_value* rhs = nullptr;
    const bool seek = sqlite3_vtab_rhs_value(info, chosen, &rhs) == SQLITE_OK &&
                      !slot->HasIndex(column) && slot->HasTag(column);
    info->idxNum = seek ? -(column + 1) : column + 1;
    info->aConstraintUsage[chosen].argvIndex = 1;
    bool unique = slot->IsOpen() && static_cast<size_t>(column) < slot->Table().Fields().size() &&
                  slot->Table().Fields()[column].unique;
    double matches = unique ? 1 : std::max(1.0, rows / 1000);
    info->estimatedRows = static_cast<sqlite3_int64>(matches);
    // The records a probe finds lie anywhere in the file: in a big table each is a
    // cache miss, where a scan reads on in order. So a join scans the big table and
    // probes the small one, whose index is also the cheaper to build.
    info->estimatedCost = std::log2(rows) + matches * (1 + rows / 100000);
    if (unique) info->idxFlags = SQLITE_INDEX_SCAN_UNIQUE;
    return SQLITE_OK;
}

int Open(sqlite3_vtab* base, sqlite3_vtab_cursor** out) {
    auto* cursor = new (std::nothrow) Cursor();
    if (!cursor) return SQLITE_NOMEM;
    cursor->slot = reinterpret_cast<VTab*>(base)->slot;
    *out = &cursor->base;
    return SQLITE_OK;
}

int Close(sqlite3_vtab_cursor* base) {
    delete reinterpret_cast<Cursor*>(base);
    return SQLITE_OK;
}

bool Wanted(const Cursor* c, const DbfTable& t) {
    if (t.IsDeleted(c->recno)) return false;
    if (c->matchField < 0) return true;
    // Most records differ in their first bytes; the padding is looked at last.
    const std::string_view text = t.RawField(c->recno, c->matchField);
    return text.size() >= c->match.size() &&
           std::memcmp(text.data(), c->match.data(), c->match.size()) == 0 &&
           TrimmedLength(text.substr(c->match.size())) == 0 &&
           !t.FieldIsNull(c->recno, c->matchField);
}

// From recno on, the first record the scan passes on.
void SkipUnwanted(Cursor* c) {
    const DbfTable& t = c->slot->Table();
    while (c->recno >= 1 && c->recno <= c->count && !Wanted(c, t))
        ++c->recno;
}

// The next live record of those the table's index gave, or 0.
void NextFound(Cursor* c) {
    const DbfTable& t = c->slot->Table();
    c->recno = 0;
    while (c->at < c->found.size()) {
        const uint32_t recno = c->found[c->at++];
        if (recno >= 1 && recno <= c->count && !t.IsDeleted(recno)) {
            c->recno = recno;
            return;
        }
    }
}

int Filter(sqlite3_vtab_cursor* base, int idxNum, const char*, int argc, sqlite3_value** argv) {
    auto* c = reinterpret_cast<Cursor*>(base);
    try {
        c->count = c->slot->Table().RecordCount();
        c->index = nullptr;
        c->sought = false;
        c->matchField = -1;
        if (idxNum >= kGroupScan) {
            const int column = (idxNum - kGroupScan) & (kDescending - 1);
            c->found = c->slot->IndexOn(column).RecordsInKeyOrder((idxNum & kDescending) != 0);
            c->at = 0;
            c->sought = true;
            NextFound(c);
            return SQLITE_OK;
        }
        if (idxNum >= kMatchScan) {
            // Anything but text equals no field's text: SQLite would pass no record on.
            if (argc < 1 || sqlite3_value_type(argv[0]) != SQLITE_BLOB) {
                c->recno = 0;
                return SQLITE_OK;
            }
            const char* p = static_cast<const char*>(sqlite3_value_blob(argv[0]));
            c->match.assign(p ? p : "", static_cast<size_t>(sqlite3_value_bytes(argv[0])));
            c->matchField = idxNum - kMatchScan;
            c->recno = 1;
            SkipUnwanted(c);
            c->slot->Table().CheckIntact();
            return SQLITE_OK;
        }
        if (idxNum < 0 && argc >= 1) {
            c->found.clear();
            c->at = 0;
            Value value;
            switch (sqlite3_value_type(argv[0])) {
            case SQLITE_NULL:
                c->recno = 0; // nothing equals NULL
                return SQLITE_OK;
            case SQLITE_INTEGER:
                value = static_cast<int64_t>(sqlite3_value_int64(argv[0]));
                break;
            case SQLITE_FLOAT:
                value = sqlite3_value_double(argv[0]);
                break;
            default: {
                const char* p = static_cast<const char*>(sqlite3_value_blob(argv[0]));
                value = std::string(p ? p : "", static_cast<size_t>(sqlite3_value_bytes(argv[0])));
            }
            }
            c->sought = c->slot->Seek(-idxNum - 1, value, c->found);
            if (c->sought) {
                NextFound(c);
                return SQLITE_OK;
            }
        }
        if (idxNum <= 0) {
            c->recno = 1;
            SkipUnwanted(c);
            return SQLITE_OK;
        }
        c->index = &c->slot->IndexOn(idxNum - 1);
        c->recno = 0;
        std::string key;
        if (argc >= 1 && SqliteKey(argv[0], key)) c->recno = c->index->First(key);
        return SQLITE_OK;
    } catch (const std::exception& e) {
        base->pVtab->zErrMsg = sqlite3_mprintf("%s", e.what());
        return SQLITE_ERROR;
    }
}

int Next(sqlite3_vtab_cursor* base) {
    auto* c = reinterpret_cast<Cursor*>(base);
    if (c->sought) {
        NextFound(c);
    } else if (c->index) {
        c->recno = c->index->Next(c->recno);
    } else {
        ++c->recno;
        SkipUnwanted(c);
    }
    try {
        c->slot->Table().CheckIntact();
    } catch (const std::exception& e) {
        base->pVtab->zErrMsg = sqlite3_mprintf("%s", e.what());
        return SQLITE_ERROR;
    }
    return SQLITE_OK;
}

int Eof(sqlite3_vtab_cursor* base) {
    auto* c = reinterpret_cast<Cursor*>(base);
    return c->recno == 0 || c->recno > c->count;
}

int Column(sqlite3_vtab_cursor* base, sqlite3_context* ctx, int i) {
    auto* c = reinterpret_cast<Cursor*>(base);
    try {
        const DbfTable& table = c->slot->Table();
        // Text straight from the record's bytes, without a copy on the way.
        if (table.Fields()[static_cast<size_t>(i)].type == 'C') {
            if (table.FieldIsNull(c->recno, i)) {
                sqlite3_result_null(ctx);
            } else {
                std::string_view text = table.RawField(c->recno, i);
                sqlite3_result_blob(ctx, text.data(), static_cast<int>(TrimmedLength(text)),
                                    SQLITE_TRANSIENT);
            }
            table.CheckIntact();
            return SQLITE_OK;
        }
        Value v = table.Get(c->recno, i);
        struct Visitor {
            sqlite3_context* ctx;
            void operator()(Null) const { sqlite3_result_null(ctx); }
            void operator()(const std::string& s) const {
                sqlite3_result_blob(ctx, s.data(), static_cast<int>(TrimmedLength(s)),
                                    SQLITE_TRANSIENT);
            }
            void operator()(double d) const { sqlite3_result_double(ctx, d); }
            void operator()(int64_t n) const { sqlite3_result_int64(ctx, n); }
            void operator()(Date d) const { sqlite3_result_int64(ctx, d.julianDay); }
            void operator()(bool b) const { sqlite3_result_int(ctx, b ? 1 : 0); }
        };
        std::visit(Visitor{ctx}, v);
        return SQLITE_OK;
    } catch (const std::exception& e) {
        sqlite3_result_error(ctx, e.what(), -1);
        return SQLITE_ERROR;
    }
}

int Rowid(sqlite3_vtab_cursor* base, sqlite3_int64* rowid) {
    *rowid = reinterpret_cast<Cursor*>(base)->recno;
    return SQLITE_OK;
}

const sqlite3_module kModule = {
    0,          // iVersion
    Connect,    // xCreate
    Connect,    // xConnect
    BestIndex,  // xBestIndex
    Disconnect, // xDisconnect
    Disconnect, // xDestroy
    Open,       // xOpen
    Close,      // xClose
    Filter,     // xFilter
    Next,       // xNext
    Eof,        // xEof
    Column,     // xColumn
    Rowid,      // xRowid
    nullptr,    // xUpdate: changes go through TableEdit
    nullptr,    // xBegin
    nullptr,    // xSync
    nullptr,    // xCommit
    nullptr,    // xRollback
    nullptr,    // xFindFunction
    nullptr,    // xRename
    nullptr,    // xSavepoint
    nullptr,    // xRelease
    nullptr,    // xRollbackTo
    nullptr,    // xShadowName
};

} // namespace

void RegisterDbfModule(sqlite3* db, std::function<DbfSlot*(int)> lookup) {
    auto* module = new Module{std::move(lookup)};
    sqlite3_create_module_v2(db, "foxdbf", &kModule, module,
                             [](void* p) { delete static_cast<Module*>(p); });
}

} // namespace foxdb::sql
