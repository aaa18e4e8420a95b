#include "foxdb/dbf_file.h"

#include "foxdb/index_trust.h"
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

CdxTagContent EmptyTag(const DbfLayout& layout, const IndexedField& field) {
    const FieldSlot& slot = layout.fields[static_cast<size_t>(field.field)];
    CdxTagContent tag;
    tag.name = field.tagName;
    tag.expression = field.expression;
    tag.unique = field.unique;
    tag.keyLength = IndexKeyLength(slot);
    tag.characterKeys = IsCharacterKey(slot);
    return tag;
}

std::string BuildIndexFile(const DbfLayout& layout, uint32_t recordCount, const RecordAt& record,
                           const std::vector<IndexedField>& indexed) {
    std::vector<CdxTagContent> tags;
    for (const IndexedField& field : indexed) {
        const FieldSlot& slot = layout.fields[static_cast<size_t>(field.field)];
        CdxTagContent tag = EmptyTag(layout, field);
        tag.keys.reserve(recordCount);
        for (uint32_t r = 1; r <= recordCount; ++r)
            tag.keys.push_back(CdxKey{IndexKey(layout, record(r), slot), r});
        tags.push_back(std::move(tag));
    }
    return BuildCdx(std::move(tags));
}

FileStamp CommitInPlace(const DbfFile& snapshot, std::vector<FilePatch>& patches,
                        uint32_t recordCount, uint64_t newSize, const std::string* index) {
    CheckWritable(snapshot);
    std::string header(snapshot.FileBytes(), 8);
    StampHeader(header, recordCount);
    patches.push_back(FilePatch{1, header.substr(1)});
    FolderLock lock(FolderOf(snapshot.Path()));
    CheckUnchanged(snapshot);
    if (!index)
        return WriteInPlace(snapshot.Path(), patches, snapshot.FileBytes(), snapshot.FileSize(),
                            newSize, snapshot.Stamp());
    // Inside a transaction the old index is kept whole until the commit.
    KeepBeforeImages(std::string(), snapshot.IndexPath());
    const FileStamp stamp =
        WriteInPlace(snapshot.Path(), patches, snapshot.FileBytes(), snapshot.FileSize(), newSize,
                     snapshot.Stamp(), snapshot.IndexPath(), index);
    TrustIndexPair(snapshot.Path(), stamp, FileStamp::OfPath(snapshot.IndexPath()));
    return stamp;
}

FileStamp CommitTable(const DbfFile& snapshot, std::string& bytes, uint32_t recordCount) {
    CheckWritable(snapshot);
    const DbfLayout& layout = snapshot.Layout();
    StampHeader(bytes, recordCount);
    bytes.resize(layout.headerLength + static_cast<size_t>(recordCount) * layout.recordLength);
    std::string cdx;
    const bool indexed = (layout.tableFlags & kFlagStructuralCdx) != 0;
    if (indexed)
        cdx = BuildIndexFile(
            layout, recordCount,
            [&](uint32_t recno) {
                return bytes.data() + layout.headerLength +
                       static_cast<size_t>(recno - 1) * layout.recordLength;
            },
            snapshot.IndexedFields());
    bytes += kEndOfFile;

    FolderLock lock(FolderOf(snapshot.Path()));
    CheckUnchanged(snapshot);
    KeepBeforeImages(snapshot.Path(), indexed ? snapshot.IndexPath() : std::string());
    TransactionStep("write");
    ReplaceTableFiles(snapshot.Path(), bytes, snapshot.IndexPath(), indexed ? &cdx : nullptr);
    TransactionStep("written");
    const FileStamp stamp = FileStamp::OfPath(snapshot.Path());
    // Built from the very records written: the pair needs no check later.
    if (indexed) TrustIndexPair(snapshot.Path(), stamp, FileStamp::OfPath(snapshot.IndexPath()));
    return stamp;
}

} // namespace foxdb
