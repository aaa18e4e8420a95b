#include "foxdb/dbf_file.h"

#include <algorithm>
#include <map>

namespace foxdb {

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
};

TableEdit::TableEdit(const std::string& path) : impl_(new Impl) {
    impl_->table = DbfFile::Read(path);
    impl_->blank = BlankRecord(impl_->table->Layout());
}

TableEdit::~TableEdit() = default;

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

// A changed or new key must occur nowhere else in the table. Deleted records keep
// their keys until PACK, as in FoxPro's candidate index; duplicates that were in
// the file before are left alone.
void TableEdit::Impl::CheckUnique() const {
    const DbfLayout& layout = table->Layout();
    for (const IndexedField& tag : table->IndexedFields()) {
        if (!tag.unique) continue;
        const FieldSlot& slot = layout.fields[static_cast<size_t>(tag.field)];
        auto violated = [&]() {
            return Error(ErrorKind::Uniqueness,
                         "Uniqueness of index " + tag.tagName + " is violated.");
        };
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
            if (fresh[i].first == fresh[i - 1].first) throw violated();
        for (uint32_t recno = 1; recno <= table->RecordCount(); ++recno) {
            auto it = changed.find(recno);
            const char* record =
                it != changed.end() ? it->second.data() : table->RecordBytes(recno);
            const std::string key = IndexKey(layout, record, slot);
            auto same = std::lower_bound(fresh.begin(), fresh.end(), key,
                                         [](const std::pair<std::string, uint32_t>& entry,
                                            const std::string& k) { return entry.first < k; });
            if (same != fresh.end() && same->first == key && same->second != recno)
                throw violated();
        }
    }
}

void TableEdit::Commit() {
    Impl& d = *impl_;
    if (d.changed.empty() && d.appended.empty()) return;
    d.CheckUnique();
    const DbfLayout& layout = d.table->Layout();
    const size_t recordBytes = static_cast<size_t>(d.table->RecordCount()) * layout.recordLength;
    std::string bytes;
    bytes.reserve(layout.headerLength + recordBytes + d.appended.size() + 1);
    bytes.append(d.table->Records() - layout.headerLength, layout.headerLength);
    bytes.append(d.table->Records(), recordBytes);
    for (const auto& [recno, record] : d.changed)
        bytes.replace(layout.headerLength + (recno - 1) * layout.recordLength, layout.recordLength,
                      record);
    bytes += d.appended;
    FileStamp stamp = CommitTable(*d.table, bytes, d.Count());
    d.table = DbfFile::Adopt(*d.table, std::move(bytes), stamp);
    d.changed.clear();
    d.appended.clear();
    d.appendedCount = 0;
}

} // namespace foxdb
