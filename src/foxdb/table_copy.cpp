#include "foxdb/dbf_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <strings.h>
#include <unistd.h>

namespace foxdb {
namespace {

// The same fields at the same places of records of one length (and of one code page),
// so a record of one is a record of the other.
bool SameRecords(const DbfLayout& a, const DbfLayout& b) {
    if (a.fields.size() != b.fields.size() || a.recordLength != b.recordLength ||
        a.codePage != b.codePage)
        return false;
    for (size_t i = 0; i < a.fields.size(); ++i) {
        const FieldSlot& x = a.fields[i];
        const FieldSlot& y = b.fields[i];
        if (::strcasecmp(x.def.name.c_str(), y.def.name.c_str()) != 0 || x.def.type != y.def.type ||
            x.def.length != y.def.length || x.def.decimals != y.def.decimals ||
            x.offset != y.offset || x.nullBit != y.nullBit || x.lengthBit != y.lengthBit ||
            x.def.type == 'M')
            return false;
    }
    return true;
}

// A file written front to back through a buffer; throws Error(Io) naming it.
class Output {
public:
    explicit Output(const std::string& path) : path_(path) {
        file_ = std::fopen(path.c_str(), "r+b");
        if (!file_) Fail();
        std::setvbuf(file_, nullptr, _IOFBF, 1 << 20);
    }
    ~Output() {
        if (file_) std::fclose(file_);
    }
    void Write(const char* bytes, size_t size) {
        if (size && std::fwrite(bytes, 1, size, file_) != size) Fail();
    }
    void Close(off_t size) {
        bool ok = std::fflush(file_) == 0 && ::ftruncate(::fileno(file_), size) == 0 &&
                  ::fsync(::fileno(file_)) == 0;
        ok = std::fclose(file_) == 0 && ok;
        file_ = nullptr;
        if (!ok) Fail();
    }

private:
    [[noreturn]] void Fail() {
        throw Error(ErrorKind::Io, "cannot write " + path_ + ": " + std::strerror(errno));
    }
    std::string path_;
    FILE* file_ = nullptr;
};

} // namespace

uint32_t CopyLiveRecords(const std::string& from, const std::string& to,
                         const std::string& numberField) {
    std::unique_ptr<DbfFile> source = DbfFile::Read(from);
    std::unique_ptr<DbfFile> target = DbfFile::Read(to);
    if (!SameRecords(source->Layout(), target->Layout()) || target->RecordCount() != 0)
        throw Error(ErrorKind::Other, to + ": not an empty table with the fields of " + from);
    const DbfLayout& layout = target->Layout();
    const bool indexed = (layout.tableFlags & kFlagStructuralCdx) != 0;
    const std::vector<IndexedField> noTags;
    const std::vector<IndexedField>& tagFields = indexed ? target->IndexedFields() : noTags;
    std::vector<CdxTagContent> tags;
    for (const IndexedField& field : tagFields)
        tags.push_back(EmptyTag(layout, field));
    const int number = target->FieldIndex(numberField);

    Output out(to);
    std::string header(target->FileBytes(), layout.headerLength);
    out.Write(header.data(), header.size());
    std::string record;
    uint32_t count = 0;
    for (uint32_t recno = 1; recno <= source->RecordCount(); ++recno) {
        if (source->IsDeleted(recno)) continue;
        record.assign(source->RecordBytes(recno), layout.recordLength);
        ++count;
        if (number >= 0)
            EncodeField(layout, &record[0], layout.fields[static_cast<size_t>(number)],
                        int64_t(count));
        for (size_t t = 0; t < tags.size(); ++t)
            tags[t].keys.push_back(
                CdxKey{IndexKey(layout, record.data(),
                                layout.fields[static_cast<size_t>(tagFields[t].field)]),
                       count});
        out.Write(record.data(), record.size());
    }
    out.Write(&kEndOfFile, 1);
    StampHeader(header, count);
    const off_t size = static_cast<off_t>(layout.headerLength) +
                       static_cast<off_t>(count) * static_cast<off_t>(layout.recordLength) + 1;
    out.Close(size);
    {
        // The header last: the count is only set once every record is there.
        Output head(to);
        head.Write(header.data(), 8);
        head.Close(size);
    }
    if (indexed) {
        // The numbered field is unique by its numbering; another candidate key may
        // repeat in the old records.
        for (size_t t = 0; t < tags.size(); ++t)
            if (tags[t].unique && tagFields[t].field != number) {
                const CdxTagContent& tag = tags[t];
                std::vector<std::string> keys;
                keys.reserve(tag.keys.size());
                for (const CdxKey& key : tag.keys)
                    keys.push_back(key.key);
                std::sort(keys.begin(), keys.end());
                if (std::adjacent_find(keys.begin(), keys.end()) != keys.end())
                    throw Error(ErrorKind::Uniqueness,
                                "Uniqueness of index " + tag.name + " is violated.");
            }
        const std::string cdx = BuildCdx(std::move(tags));
        Output index(target->IndexPath());
        index.Write(cdx.data(), cdx.size());
        index.Close(static_cast<off_t>(cdx.size()));
    }
    return count;
}

} // namespace foxdb
