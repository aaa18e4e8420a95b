#include "foxdb/dbf_file.h"

#include "foxdb/transaction.h"
#include "platform/files.h"

#include <ctime>

namespace foxdb {
namespace {

void CheckWritable(const DbfFile& snapshot) {
    if (platform::IsReadOnly(snapshot.Path()))
        throw Error(ErrorKind::Io,
                    snapshot.Path() + ": the table is read-only; nothing was written.");
}

void CheckUnchanged(const DbfFile& snapshot) {
    if (!(FileStamp::OfPath(snapshot.Path()) == snapshot.Stamp()))
        throw Error(ErrorKind::Io, snapshot.Path() +
                                       ": the table was changed by another user since it was "
                                       "read; nothing was written. Please try again.");
}

} // namespace

void StampHeader(std::string& bytes, uint32_t recordCount) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    bytes[1] = static_cast<char>(local.tm_year % 100);
    bytes[2] = static_cast<char>(local.tm_mon + 1);
    bytes[3] = static_cast<char>(local.tm_mday);
    for (int i = 0; i < 4; ++i)
        bytes[4 + i] = static_cast<char>(recordCount >> (8 * i));
}

std::string BuildIndexFile(const DbfLayout& layout, const char* records, uint32_t recordCount,
                           const std::vector<IndexedField>& indexed) {
    std::vector<CdxTagContent> tags;
    for (const IndexedField& field : indexed) {
        const FieldSlot& slot = layout.fields[static_cast<size_t>(field.field)];
        CdxTagContent tag;
        tag.name = field.tagName;
        tag.expression = field.expression;
        tag.unique = field.unique;
        tag.keyLength = IndexKeyLength(slot);
        tag.characterKeys = IsCharacterKey(slot);
        tag.keys.reserve(recordCount);
        for (uint32_t r = 0; r < recordCount; ++r)
            tag.keys.push_back(CdxKey{
                IndexKey(layout, records + static_cast<size_t>(r) * layout.recordLength, slot),
                r + 1});
        tags.push_back(std::move(tag));
    }
    return BuildCdx(std::move(tags));
}

FileStamp CommitInPlace(const DbfFile& snapshot, std::vector<FilePatch>& patches,
                        uint32_t recordCount, uint64_t newSize) {
    CheckWritable(snapshot);
    std::string header(snapshot.FileBytes(), 8);
    StampHeader(header, recordCount);
    patches.push_back(FilePatch{1, header.substr(1)});
    FolderLock lock(FolderOf(snapshot.Path()));
    CheckUnchanged(snapshot);
    return WriteInPlace(snapshot.Path(), patches, snapshot.FileBytes(), snapshot.FileSize(),
                        newSize, snapshot.Stamp());
}

FileStamp CommitTable(const DbfFile& snapshot, std::string& bytes, uint32_t recordCount) {
    CheckWritable(snapshot);
    const DbfLayout& layout = snapshot.Layout();
    StampHeader(bytes, recordCount);
    bytes.resize(layout.headerLength + static_cast<size_t>(recordCount) * layout.recordLength);
    std::string cdx;
    const bool indexed = (layout.tableFlags & kFlagStructuralCdx) != 0;
    if (indexed)
        cdx = BuildIndexFile(layout, bytes.data() + layout.headerLength, recordCount,
                             snapshot.IndexedFields());
    bytes += kEndOfFile;

    FolderLock lock(FolderOf(snapshot.Path()));
    CheckUnchanged(snapshot);
    KeepBeforeImages(snapshot.Path(), indexed ? snapshot.IndexPath() : std::string());
    TransactionStep("write");
    ReplaceTableFiles(snapshot.Path(), bytes, snapshot.IndexPath(), indexed ? &cdx : nullptr);
    TransactionStep("written");
    return FileStamp::OfPath(snapshot.Path());
}

} // namespace foxdb
