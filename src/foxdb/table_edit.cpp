#include "foxdb/dbf_file.h"
#include "foxdb/transaction.h"

#include <algorithm>
#include <map>
#include <set>

namespace foxdb {
namespace {

Error UniquenessViolated(const IndexedField& tag) {
    return Error(ErrorKind::Uniqueness, "Uniqueness of index " + tag.tagName + " is violated.");
}

} // namespace

struct TableEdit::Impl {
    std::unique_ptr<DbfFile> table;
    std::map<uint32_t, std::string> changed; // record number -> its new bytes
    std::string appended;                    // the new records, one after the other
    uint32_t appendedCount = 0;
    std::string blank; // a new record before its values

    uint32_t Count() const { return table->RecordCount() + appendedCount; }
    size_t AppendedOffset(uint32_t recno) const {
        return static_cast<size_t>(recno - table->RecordCount() - 1) * table->Layout().recordLength;
    }
    void CheckRecno(uint32_t recno) const {
        if (recno < 1 || recno > Count())
            throw Error(ErrorKind::Other,
                        table->Path() + ": record " + std::to_string(recno) + " does not exist");
    }
    const char* Current(uint32_t recno) const {
        CheckRecno(recno);
        if (recno > table->RecordCount()) return appended.data() + AppendedOffset(recno);
        auto it = changed.find(recno);
        return it != changed.end() ? it->second.data() : table->RecordBytes(recno);
    }
    char* Staged(uint32_t recno) {
        CheckRecno(recno);
        if (recno > table->RecordCount()) return &appended[AppendedOffset(recno)];
        auto it = changed.find(recno);
        if (it == changed.end())
            it = changed
                     .emplace(recno, std::string(table->RecordBytes(recno), table->RecordLength()))
                     .first;
        return &it->second[0];
    }
    void CheckUnique() const;
    bool CheckedByIndex(const IndexedField& tag,
                        const std::vector<std::pair<std::string, uint32_t>>& fresh) const;
    bool KeepsIndex() const;
    std::string NewIndex() const;
    CdxTagContent TagFromKnownIndex(const IndexedField& field, const std::string& index) const;
    void CommitInPlace();
    void CommitWhole();
};

TableEdit::TableEdit(const std::string& path) : impl_(new Impl) {
    impl_->table = DbfFile::Read(path);
    impl_->blank = BlankRecord(impl_->table->Layout());
}

TableEdit::TableEdit(const std::string& path, std::unique_ptr<DbfTable> opened) : impl_(new Impl) {
    if (auto* file = dynamic_cast<DbfFile*>(opened.get()); file && file->Path() == path) {
        opened.release();
        impl_->table.reset(file);
    } else {
        impl_->table = DbfFile::Read(path);
    }
    impl_->blank = BlankRecord(impl_->table->Layout());
}

TableEdit::~TableEdit() = default;

std::unique_ptr<DbfTable> TableEdit::Release() {
    return std::move(impl_->table);
}

const DbfTable& TableEdit::Table() const {
    return *impl_->table;
}

void TableEdit::Update(uint32_t recno, int field, const Value& value) {
    const FieldSlot& slot = impl_->table->Slot(field);
    if (IsNull(value) && !slot.def.nullable)
        throw Error(ErrorKind::Other, "Field " + slot.def.name + " does not accept null values.");
    impl_->CheckRecno(recno);
    EncodeField(impl_->table->Layout(), impl_->Staged(recno), slot, value);
}

uint32_t TableEdit::Append(const std::vector<Value>& values) {
    const DbfLayout& layout = impl_->table->Layout();
    if (values.size() > layout.fields.size())
        throw Error(ErrorKind::Other, impl_->table->Path() + ": " + std::to_string(values.size()) +
                                          " values for " + std::to_string(layout.fields.size()) +
                                          " fields");
    std::string& appended = impl_->appended;
    const size_t offset = appended.size();
    appended += impl_->blank;
    try {
        for (size_t i = 0; i < values.size(); ++i)
            EncodeField(layout, &appended[offset], layout.fields[i], values[i]);
    } catch (...) {
        appended.resize(offset); // a value that cannot be stored adds no record
        throw;
    }
    ++impl_->appendedCount;
    return impl_->Count();
}

void TableEdit::ReserveAppends(size_t records) {
    impl_->appended.reserve(impl_->appended.size() + records * impl_->table->Layout().recordLength);
}

void TableEdit::Delete(uint32_t recno) {
    *impl_->Staged(recno) = kRecordDeleted;
}

void TableEdit::Recall(uint32_t recno) {
    *impl_->Staged(recno) = kRecordActive;
}

Value TableEdit::Get(uint32_t recno, int field) const {
    return DecodeField(impl_->table->Layout(), impl_->Current(recno), impl_->table->Slot(field));
}

bool TableEdit::IsDeleted(uint32_t recno) const {
    return *impl_->Current(recno) == kRecordDeleted;
}

// An index known to match answers for the records already there, a seek per new
// key instead of a look at every record: a record holding the key clashes unless
// its own change moves it off it. False when the index cannot answer.
bool TableEdit::Impl::CheckedByIndex(
    const IndexedField& tag, const std::vector<std::pair<std::string, uint32_t>>& fresh) const {
    if (!table->IndexKnownToMatch()) return false;
    const DbfLayout& layout = table->Layout();
    const FieldSlot& slot = layout.fields[static_cast<size_t>(tag.field)];
    std::vector<uint32_t> holders;
    for (const auto& entry : fresh) {
        holders.clear();
        if (!table->SeekIndexKey(tag.field, entry.first, holders)) return false;
        for (uint32_t recno : holders) {
            auto it = changed.find(recno);
            const bool movesOff =
                it != changed.end() && IndexKey(layout, it->second.data(), slot) != entry.first;
            if (recno != entry.second && !movesOff) throw UniquenessViolated(tag);
        }
    }
    return true;
}

// A changed or new key must occur nowhere else in the table. Deleted records keep
// their keys until PACK, as in FoxPro's candidate index; duplicates that were in
// the file before are left alone.
void TableEdit::Impl::CheckUnique() const {
    const DbfLayout& layout = table->Layout();
    for (const IndexedField& tag : table->IndexedFields()) {
        if (!tag.unique) continue;
        const FieldSlot& slot = layout.fields[static_cast<size_t>(tag.field)];
        // The changed and new keys with their records, sorted: two equal keys clash.
        std::vector<std::pair<std::string, uint32_t>> fresh;
        fresh.reserve(changed.size() + appendedCount);
        for (const auto& [recno, bytes] : changed) {
            std::string key = IndexKey(layout, bytes.data(), slot);
            if (key == IndexKey(layout, table->RecordBytes(recno), slot)) continue;
            fresh.emplace_back(std::move(key), recno);
        }
        for (uint32_t recno = table->RecordCount() + 1; recno <= Count(); ++recno)
            fresh.emplace_back(IndexKey(layout, Current(recno), slot), recno);
        if (fresh.empty()) continue;
        std::sort(fresh.begin(), fresh.end());
        for (size_t i = 1; i < fresh.size(); ++i)
            if (fresh[i].first == fresh[i - 1].first) throw UniquenessViolated(tag);
        if (CheckedByIndex(tag, fresh)) continue;
        for (uint32_t recno = 1; recno <= table->RecordCount(); ++recno) {
            auto it = changed.find(recno);
            const char* record =
                it != changed.end() ? it->second.data() : table->RecordBytes(recno);
            const std::string key = IndexKey(layout, record, slot);
            auto same = std::lower_bound(fresh.begin(), fresh.end(), key,
                                         [](const std::pair<std::string, uint32_t>& entry,
                                            const std::string& k) { return entry.first < k; });
            if (same != fresh.end() && same->first == key && same->second != recno)
                throw UniquenessViolated(tag);
        }
    }
}

// Whether the structural index stays right as it is: no new records, no changed
// keys, and an index that was right before (one that travelled apart from its
// table is made anew).
bool TableEdit::Impl::KeepsIndex() const {
    const DbfLayout& layout = table->Layout();
    if (!(layout.tableFlags & kFlagStructuralCdx)) return true;
    if (appendedCount > 0) return false;
    for (const IndexedField& tag : table->IndexedFields()) {
        const FieldSlot& slot = layout.fields[static_cast<size_t>(tag.field)];
        for (const auto& [recno, bytes] : changed)
            if (IndexKey(layout, bytes.data(), slot) !=
                IndexKey(layout, table->RecordBytes(recno), slot))
                return false;
    }
    return table->IndexMatchesRecords();
}

// The index for the records as they will be: from the keys of an index known to
// match and the keys that change (a read of the index, not of every record), else
// from every record.
std::string TableEdit::Impl::NewIndex() const {
    const std::vector<IndexedField>& fields = table->IndexedFields();
    std::string known;
    if (table->ReadKnownIndex(known)) {
        try {
            std::vector<CdxTagContent> tags;
            for (const IndexedField& field : fields)
                tags.push_back(TagFromKnownIndex(field, known));
            return BuildCdx(std::move(tags));
        } catch (const Error&) {
        }
    }
    return BuildIndexFile(
        table->Layout(), Count(), [this](uint32_t recno) { return Current(recno); }, fields);
}

// The keys of `index` but those of records whose key changes, merged in order with
// the changed and new ones.
CdxTagContent TableEdit::Impl::TagFromKnownIndex(const IndexedField& field,
                                                 const std::string& index) const {
    const DbfLayout& layout = table->Layout();
    const FieldSlot& slot = layout.fields[static_cast<size_t>(field.field)];
    const CdxTag* tag = table->TagOn(field.field);
    if (!tag) throw Error(ErrorKind::BadFile, table->IndexPath() + ": no tag " + field.tagName);
    std::vector<CdxKey> fresh;
    std::set<uint32_t> moved;
    for (const auto& [recno, bytes] : changed) {
        std::string key = IndexKey(layout, bytes.data(), slot);
        if (key == IndexKey(layout, table->RecordBytes(recno), slot)) continue;
        moved.insert(recno);
        fresh.push_back(CdxKey{std::move(key), recno});
    }
    for (uint32_t recno = table->RecordCount() + 1; recno <= Count(); ++recno)
        fresh.push_back(CdxKey{IndexKey(layout, Current(recno), slot), recno});
    std::sort(fresh.begin(), fresh.end(), IndexOrder);

    CdxTagContent content = EmptyTag(layout, field);
    content.keys.reserve(Count());
    size_t next = 0;
    CdxKey old;
    VisitCdxKeys(index, *tag, IsCharacterKey(slot), table->IndexPath(),
                 [&](const std::string& key, uint32_t recno) {
                     if (moved.count(recno)) return;
                     old.key = key;
                     old.recno = recno;
                     while (next < fresh.size() && IndexOrder(fresh[next], old))
                         content.keys.push_back(std::move(fresh[next++]));
                     content.keys.push_back(old);
                 });
    while (next < fresh.size())
        content.keys.push_back(std::move(fresh[next++]));
    if (content.keys.size() != Count())
        throw Error(ErrorKind::BadFile, table->IndexPath() + ": the index misses records");
    return content;
}

// The records where they stand, new ones after them; an index whose keys change is
// made anew from the records (far less than the table) and replaced with them.
void TableEdit::Impl::CommitInPlace() {
    const DbfLayout& layout = table->Layout();
    std::vector<FilePatch> patches;
    patches.reserve(changed.size() + 2);
    for (const auto& [recno, record] : changed)
        patches.push_back(
            FilePatch{layout.headerLength + uint64_t(recno - 1) * layout.recordLength, record});
    uint64_t size = table->FileSize();
    if (appendedCount > 0) {
        const uint64_t end =
            layout.headerLength + uint64_t(table->RecordCount()) * layout.recordLength;
        patches.push_back(FilePatch{end, appended + kEndOfFile});
        size = end + appended.size() + 1;
    }
    const bool newIndex = !KeepsIndex();
    std::string index;
    if (newIndex) index = NewIndex();
    FileStamp stamp =
        foxdb::CommitInPlace(*table, patches, Count(), size, newIndex ? &index : nullptr);
    if (newIndex || appendedCount > 0)
        table = DbfFile::Read(table->Path()); // grown or newly indexed: taken in as it now is
    else
        table->Patch(patches, stamp);
}

void TableEdit::Impl::CommitWhole() {
    const DbfLayout& layout = table->Layout();
    const size_t recordBytes = static_cast<size_t>(table->RecordCount()) * layout.recordLength;
    std::string bytes;
    bytes.reserve(layout.headerLength + recordBytes + appended.size() + 1);
    bytes.append(table->Records() - layout.headerLength, layout.headerLength);
    bytes.append(table->Records(), recordBytes);
    for (const auto& [recno, record] : changed)
        bytes.replace(layout.headerLength + (recno - 1) * layout.recordLength, layout.recordLength,
                      record);
    bytes += appended;
    FileStamp stamp = CommitTable(*table, bytes, Count());
    table = DbfFile::Adopt(*table, std::move(bytes), stamp);
}

void TableEdit::Commit() {
    Impl& d = *impl_;
    if (d.changed.empty() && d.appended.empty()) return;
    d.CheckUnique();
    if (MayWriteInPlace(d.table->Path()))
        d.CommitInPlace();
    else
        d.CommitWhole();
    d.changed.clear();
    d.appended.clear();
    d.appendedCount = 0;
}

} // namespace foxdb
