#include "foxdb/dbf_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
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

// A file read and written at offsets; throws Error(Io) naming it.
class File {
public:
    explicit File(const std::string& path) : path_(path) {
        fd_ = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
        if (fd_ < 0) Fail();
    }
    ~File() {
        if (fd_ >= 0) ::close(fd_);
    }
    void ReadAt(char* bytes, size_t size, off_t offset) {
        while (size > 0) {
            const ssize_t got = ::pread(fd_, bytes, size, offset);
            if (got <= 0) {
                if (got < 0 && errno == EINTR) continue;
                if (got == 0) errno = EIO; // cut short under us
                Fail();
            }
            bytes += got;
            size -= static_cast<size_t>(got);
            offset += got;
        }
    }
    void WriteAt(const char* bytes, size_t size, off_t offset) {
        while (size > 0) {
            const ssize_t put = ::pwrite(fd_, bytes, size, offset);
            if (put <= 0) {
                if (put < 0 && errno == EINTR) continue;
                if (put == 0) errno = EIO;
                Fail();
            }
            bytes += put;
            size -= static_cast<size_t>(put);
            offset += put;
        }
    }
    void Sync(off_t size) {
        if (::ftruncate(fd_, size) != 0 || ::fsync(fd_) != 0) Fail();
    }
    void Close() {
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0) Fail();
    }

private:
    [[noreturn]] void Fail() {
        throw Error(ErrorKind::Io, "cannot write " + path_ + ": " + std::strerror(errno));
    }
    std::string path_;
    int fd_ = -1;
};

// What every copy of live records does: each record numbered as the next one, its
// keys taken for the new index, and at the end the header and the index.
class LiveRecords {
public:
    LiveRecords(const DbfFile& source, const DbfFile& target, const std::string& numberField)
        : target_(target), layout_(target.Layout()),
          header_(target.FileBytes(), layout_.headerLength) {
        if (!SameRecords(source.Layout(), layout_) || target.RecordCount() != 0)
            throw Error(ErrorKind::Other,
                        target.Path() + ": not an empty table with the fields of " + source.Path());
        if (layout_.tableFlags & kFlagStructuralCdx) tagFields_ = target.IndexedFields();
        for (const IndexedField& field : tagFields_) {
            tags_.push_back(EmptyTag(layout_, field));
            tags_.back().keys.reserve(source.RecordCount());
        }
        number_ = target.FieldIndex(numberField);
    }

    // Numbers `record` in place; true when that changed its bytes.
    bool Take(char* record) {
        ++count_;
        bool changed = false;
        if (number_ >= 0) {
            const FieldSlot& slot = layout_.fields[static_cast<size_t>(number_)];
            before_.assign(record + slot.offset, static_cast<size_t>(slot.def.length));
            EncodeField(layout_, record, slot, int64_t(count_));
            changed = before_.compare(0, before_.size(), record + slot.offset, before_.size()) != 0;
        }
        for (size_t t = 0; t < tags_.size(); ++t)
            tags_[t].keys.push_back(CdxKey{
                IndexKey(layout_, record, layout_.fields[static_cast<size_t>(tagFields_[t].field)]),
                count_});
        return changed;
    }

    uint32_t Count() const { return count_; }
    size_t RecordLength() const { return layout_.recordLength; }
    off_t HeaderLength() const { return static_cast<off_t>(layout_.headerLength); }
    off_t FileSize() const {
        return HeaderLength() +
               static_cast<off_t>(count_) * static_cast<off_t>(layout_.recordLength) + 1;
    }
    // The target's header with the count of the records taken.
    const std::string& Header() {
        StampHeader(header_, count_);
        return header_;
    }

    void WriteIndex() {
        if (!(layout_.tableFlags & kFlagStructuralCdx)) return;
        // The numbered field is unique by its numbering; another candidate key may
        // repeat in the old records.
        for (size_t t = 0; t < tags_.size(); ++t)
            if (tags_[t].unique && tagFields_[t].field != number_) {
                const CdxTagContent& tag = tags_[t];
                std::vector<std::string> keys;
                keys.reserve(tag.keys.size());
                for (const CdxKey& key : tag.keys)
                    keys.push_back(key.key);
                std::sort(keys.begin(), keys.end());
                if (std::adjacent_find(keys.begin(), keys.end()) != keys.end())
                    throw Error(ErrorKind::Uniqueness,
                                "Uniqueness of index " + tag.name + " is violated.");
            }
        const std::string cdx = BuildCdx(std::move(tags_));
        Output index(target_.IndexPath());
        index.Write(cdx.data(), cdx.size());
        index.Close(static_cast<off_t>(cdx.size()));
    }

private:
    const DbfFile& target_;
    const DbfLayout& layout_;
    std::string header_;
    std::vector<IndexedField> tagFields_;
    std::vector<CdxTagContent> tags_;
    int number_ = -1;
    uint32_t count_ = 0;
    std::string before_;
};

} // namespace

uint32_t CopyLiveRecords(const std::string& from, const std::string& to,
                         const std::string& numberField) {
    std::unique_ptr<DbfFile> source = DbfFile::Read(from);
    std::unique_ptr<DbfFile> target = DbfFile::Read(to);
    LiveRecords live(*source, *target, numberField);
    const size_t length = live.RecordLength();

    Output out(to);
    out.Write(target->FileBytes(), static_cast<size_t>(live.HeaderLength()));
    // Records are gathered in large chunks and numbered there, so each is copied once
    // on its way to the file.
    const size_t chunkSize = std::max<size_t>(1 << 20, length);
    std::string chunk;
    chunk.reserve(chunkSize + length);
    for (uint32_t recno = 1; recno <= source->RecordCount(); ++recno) {
        if (source->IsDeleted(recno)) continue;
        const size_t at = chunk.size();
        chunk.append(source->RecordBytes(recno), length);
        live.Take(&chunk[at]);
        if (chunk.size() >= chunkSize) {
            out.Write(chunk.data(), chunk.size());
            chunk.clear();
        }
    }
    out.Write(chunk.data(), chunk.size());
    out.Write(&kEndOfFile, 1);
    out.Close(live.FileSize());
    {
        // The header last: the count is only set once every record is there.
        Output head(to);
        head.Write(live.Header().data(), 8);
        head.Close(live.FileSize());
    }
    live.WriteIndex();
    return live.Count();
}

uint32_t CompactLiveRecords(const std::string& from, const std::string& to,
                            const std::string& numberField) {
    std::unique_ptr<DbfFile> target = DbfFile::Read(to);
    std::unique_ptr<DbfFile> source = DbfFile::Read(from);
    LiveRecords live(*source, *target, numberField);
    const uint32_t records = source->RecordCount();
    const bool sameHeader = source->Layout().headerLength == target->Layout().headerLength;
    source.reset();
    if (!sameHeader)
        throw Error(ErrorKind::Other, to + ": a header of another length than " + from + "'s");
    if (::rename(from.c_str(), to.c_str()) != 0)
        throw Error(ErrorKind::Io, "cannot move " + from + ": " + std::strerror(errno));
    // Records are read a chunk at a time and moved down over the deleted ones; a
    // record is written only where it moves or its number changes, always behind
    // the records still to be read.
    File file(to);
    const size_t length = live.RecordLength();
    const uint32_t perChunk = static_cast<uint32_t>(std::max<size_t>(1, (1 << 20) / length));
    std::vector<char> chunk(perChunk * length);
    std::string run;
    off_t runAt = live.HeaderLength(), at = live.HeaderLength();
    for (uint32_t first = 1; first <= records; first += perChunk) {
        const uint32_t count = std::min(perChunk, records - first + 1);
        off_t readAt =
            live.HeaderLength() + static_cast<off_t>(first - 1) * static_cast<off_t>(length);
        file.ReadAt(chunk.data(), count * length, readAt);
        for (uint32_t i = 0; i < count; ++i, readAt += static_cast<off_t>(length)) {
            char* record = chunk.data() + i * length;
            if (*record == kRecordDeleted) continue;
            const bool changed = live.Take(record) || readAt != at;
            if (changed) {
                if (run.empty()) runAt = at;
                run.append(record, length);
            }
            at += static_cast<off_t>(length);
            if (!run.empty() && (!changed || run.size() >= (1 << 20))) {
                file.WriteAt(run.data(), run.size(), runAt);
                run.clear();
            }
        }
    }
    file.WriteAt(run.data(), run.size(), runAt);
    file.WriteAt(&kEndOfFile, 1, at);
    file.Sync(live.FileSize());
    // The header last, the target's own: the count is only set once every record is
    // there.
    file.WriteAt(live.Header().data(), live.Header().size(), 0);
    file.Sync(live.FileSize());
    file.Close();
    live.WriteIndex();
    return live.Count();
}

} // namespace foxdb
