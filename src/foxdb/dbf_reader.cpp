#include "foxdb/dbf_file.h"

#include "foxdb/in_place_write.h"
#include "foxdb/index_trust.h"
#include "foxdb/unmap_later.h"
#include "platform/files.h"
#include "platform/paths.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <strings.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace foxdb {
namespace {

std::string BaseName(const std::string& path) {
    size_t slash = path.rfind(platform::kSep);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Trim(const std::string& s) {
    size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return std::string();
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

bool EndsWithNoCase(const std::string& s, const char* suffix) {
    size_t n = std::strlen(suffix);
    return s.size() >= n && ::strcasecmp(s.c_str() + s.size() - n, suffix) == 0;
}

} // namespace

std::unique_ptr<DbfTable> DbfTable::Open(const std::string& path) {
    return DbfFile::Read(path);
}

uint32_t ReadRecordCount(const std::string& path) {
    RecoverTableFiles(path);
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            throw Error(ErrorKind::FileNotFound, "File '" + BaseName(path) + "' does not exist.");
        throw Error(ErrorKind::Io, path + ": " + std::strerror(errno));
    }
    const FileStamp stamp = FileStamp::OfDescriptor(fd);
    const size_t size = stamp.size > 0 ? static_cast<size_t>(stamp.size) : 0;
    // The header: 32 bytes that give its length, then the field descriptors.
    std::string header(std::min<size_t>(size, 32), '\0');
    ssize_t got = ::pread(fd, &header[0], header.size(), 0);
    if (got == 32) {
        const size_t length = static_cast<unsigned char>(header[8]) |
                              static_cast<size_t>(static_cast<unsigned char>(header[9])) << 8;
        header.resize(std::min(size, std::max<size_t>(length, 32)));
        got = ::pread(fd, &header[0], header.size(), 0);
    }
    const int saved = errno;
    ::close(fd);
    if (got < 0) throw Error(ErrorKind::Io, path + ": " + std::strerror(saved));
    return ParseDbfLayout(header.data(), static_cast<size_t>(got), size, path).recordCount;
}

std::unique_ptr<DbfFile> DbfFile::Read(const std::string& path) {
    RecoverTableFiles(path);
    // Writers change tables in place under the exclusive lock: the copy is made
    // under the shared one, after whatever a killed writer left is put right.
    std::unique_ptr<FolderLock> reading;
    for (;;) {
        try {
            reading = std::make_unique<FolderLock>(FolderOf(path), FolderLock::kShared);
        } catch (const Error&) {
            break; // a folder that cannot be locked has no writers of ours
        }
        struct stat st;
        if (::stat(UndoPathFor(path).c_str(), &st) != 0) break;
        reading.reset();
        RecoverTableFiles(path);
    }
    std::unique_ptr<DbfFile> table(new DbfFile);
    table->path_ = path;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            throw Error(ErrorKind::FileNotFound, "File '" + BaseName(path) + "' does not exist.");
        throw Error(ErrorKind::Io, path + ": " + std::strerror(errno));
    }
    table->stamp_ = FileStamp::OfDescriptor(fd);
    size_t size = table->stamp_.size > 0 ? static_cast<size_t>(table->stamp_.size) : 0;
    size_t done = 0;
    // Mapped, the pages are shared with the system's file cache instead of copied.
    void* mapped = size > 0 ? ::mmap(nullptr, size, PROT_READ, MAP_SHARED, fd, 0) : MAP_FAILED;
    if (mapped != MAP_FAILED && !table->guard_.Watch(static_cast<char*>(mapped), size)) {
        ::munmap(mapped, size);
        mapped = MAP_FAILED;
    }
    if (mapped != MAP_FAILED) {
        table->mapped_ = static_cast<char*>(mapped);
        table->data_ = table->mapped_;
        done = size;
    } else {
        table->read_.reset(new char[size + 1]);
        table->data_ = table->read_.get();
    }
    while (done < size) {
        ssize_t n = ::read(fd, table->read_.get() + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            int saved = errno;
            ::close(fd);
            throw Error(ErrorKind::Io, path + ": " + std::strerror(saved));
        }
        if (n == 0) break; // shrunk meanwhile by some other program
        done += static_cast<size_t>(n);
    }
    ::close(fd);
    table->size_ = done;
    table->layout_ = ParseDbfLayout(table->data_, done, done, path);
    reading.reset(); // the header as it was: appends later are seen by opening again
    table->ReadIndexTags();
    table->ReadMemoFile();
    return table;
}

std::unique_ptr<DbfFile> DbfFile::Adopt(const DbfFile& previous, std::string bytes,
                                        const FileStamp& stamp) {
    std::unique_ptr<DbfFile> table(new DbfFile);
    table->path_ = previous.path_;
    table->written_ = std::move(bytes);
    table->data_ = table->written_.data();
    table->size_ = table->written_.size();
    table->stamp_ = stamp;
    table->layout_ =
        ParseDbfLayout(table->data_, table->written_.size(), table->written_.size(), table->path_);
    table->layout_.defs = previous.layout_.defs;
    for (size_t i = 0; i < table->layout_.fields.size(); ++i)
        table->layout_.fields[i].def = previous.layout_.fields[i].def;
    table->indexPath_ = previous.indexPath_;
    table->indexed_ = previous.indexed_;
    table->indexProblem_ = previous.indexProblem_;
    table->memoPath_ = previous.memoPath_;
    table->memo_ = previous.memo_;
    table->memoBlockSize_ = previous.memoBlockSize_;
    return table;
}

void DbfFile::ReadMemoFile() {
    bool memo = false;
    for (const FieldSlot& slot : layout_.fields)
        memo |= slot.def.type == 'M';
    if (!memo) return;
    const std::string base = BaseName(path_).substr(0, BaseName(path_).rfind('.'));
    memoPath_ = platform::FindFileNoCase(FolderOf(path_), base + ".fpt");
    // Header: the next free block, then the block size at byte 6 (both big-endian).
    if (memoPath_.empty() || !platform::ReadFileBytes(memoPath_, memo_) || memo_.size() < 512)
        throw Error(ErrorKind::BadFile,
                    path_ + ": Memo file " + base + ".fpt is missing or is invalid.");
    memoBlockSize_ = static_cast<uint32_t>(static_cast<unsigned char>(memo_[6]) << 8 |
                                           static_cast<unsigned char>(memo_[7]));
    if (memoBlockSize_ == 0)
        throw Error(ErrorKind::BadFile, memoPath_ + ": Memo file is missing or is invalid.");
}

std::string DbfFile::MemoText(const char* record, const FieldSlot& slot) const {
    // VFP keeps the block number as a 4-byte integer, older files as ten digits.
    std::string_view raw = RawFieldBytes(layout_, record, slot);
    uint64_t block = 0;
    if (raw.size() == 4) {
        for (int i = 3; i >= 0; --i)
            block = block << 8 | static_cast<unsigned char>(raw[static_cast<size_t>(i)]);
    } else {
        for (char c : raw)
            if (c >= '0' && c <= '9') block = block * 10 + static_cast<uint64_t>(c - '0');
    }
    if (block == 0) return std::string();
    auto bad = [this, block]() {
        return Error(ErrorKind::BadFile, memoPath_ + ": memo block " + std::to_string(block) +
                                             " is missing or is invalid.");
    };
    const uint64_t start = block * memoBlockSize_;
    if (start > memo_.size() || memo_.size() - start < 8) throw bad();
    const unsigned char* p = reinterpret_cast<const unsigned char*>(memo_.data() + start);
    const uint64_t length =
        uint64_t(p[4]) << 24 | uint64_t(p[5]) << 16 | uint64_t(p[6]) << 8 | p[7];
    if (length > memo_.size() - start - 8) throw bad();
    return memo_.substr(start + 8, length);
}

void DbfFile::ReadIndexTags() {
    indexPath_ = IndexPathFor(path_);
    const int fd = ::open(indexPath_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (layout_.tableFlags & kFlagStructuralCdx)
            indexProblem_ = indexPath_ + ": Structural .CDX file is not found.";
        return;
    }
    indexStamp_ = FileStamp::OfDescriptor(fd);
    std::vector<CdxTag> tags;
    try {
        // Only the tag directory and the tag headers: the keys stay on disk.
        if (layout_.tableFlags & kFlagStructuralCdx)
            tags = ReadCdxTags(
                [&](uint32_t offset, char* page) {
                    if (::pread(fd, page, 512, offset) != 512)
                        throw Error(ErrorKind::BadFile, indexPath_ + ": an index page is missing");
                },
                static_cast<uint64_t>(indexStamp_.size), indexPath_);
    } catch (const Error& e) {
        indexProblem_ = e.what();
    }
    ::close(fd);
    if (!indexProblem_.empty()) return;
    for (const CdxTag& tag : tags) {
        int field = FieldIndex(Trim(tag.expression));
        if (field < 0 || !tag.filter.empty()) {
            indexProblem_ = indexPath_ + ": tag " + tag.name + " (" + tag.expression +
                            ") is not an index this program can keep up to date";
            continue;
        }
        indexed_.push_back(IndexedField{tag.name, tag.expression, field, tag.Unique()});
        indexTags_.push_back(tag);
        if (tag.Unique()) layout_.defs[field].unique = layout_.fields[field].def.unique = true;
    }
}

bool DbfFile::IndexMatchesRecords() const {
    if (indexMatches_ >= 0) return indexMatches_ == 1;
    indexMatches_ = 0;
    if (indexProblem_.empty() && IndexPairTrusted(stamp_, indexStamp_)) {
        indexMatches_ = 1;
        return true;
    }
    std::string bytes;
    if (!indexProblem_.empty() || !platform::ReadFileBytes(indexPath_, bytes)) return false;
    // What was read is the index the tags came from only while its stamp stays.
    const bool sameIndex = FileStamp::OfPath(indexPath_) == indexStamp_;
    try {
        const std::vector<CdxTag> tags = ReadCdxTags(bytes, indexPath_);
        for (const IndexedField& field : indexed_) {
            const FieldSlot& slot = layout_.fields[static_cast<size_t>(field.field)];
            auto tag = std::find_if(tags.begin(), tags.end(),
                                    [&](const CdxTag& t) { return t.name == field.tagName; });
            if (tag == tags.end()) return false;
            std::vector<bool> seen(layout_.recordCount + 1, false);
            size_t count = 0;
            bool matches = true;
            VisitCdxKeys(bytes, *tag, IsCharacterKey(slot), indexPath_,
                         [&](const std::string& key, uint32_t recno) {
                             if (!matches || recno < 1 || recno > layout_.recordCount ||
                                 seen[recno] || key != IndexKey(layout_, Record(recno), slot)) {
                                 matches = false;
                                 return;
                             }
                             seen[recno] = true;
                             ++count;
                         });
            if (!matches || count != layout_.recordCount) return false;
        }
    } catch (const Error&) {
        return false;
    }
    indexMatches_ = 1;
    if (sameIndex) TrustIndexPair(path_, stamp_, indexStamp_);
    return true;
}

const CdxTag* DbfFile::TagOn(int field) const {
    for (size_t i = 0; i < indexed_.size() && i < indexTags_.size(); ++i)
        if (indexed_[i].field == field) return &indexTags_[i];
    return nullptr;
}

bool DbfFile::SeekIndex(int field, const Value& value, std::vector<uint32_t>& recnos) const {
    if (!TagOn(field) || IsNull(value)) return false;
    const FieldSlot& slot = Slot(field);
    // The key the field would hold for the value; a value it would change (cut,
    // round, convert) is left to a scan.
    std::string record = BlankRecord(layout_);
    try {
        EncodeField(layout_, &record[0], slot, value);
    } catch (const Error&) {
        return false;
    }
    const Value stored = DecodeField(layout_, record.data(), slot);
    const auto* text = std::get_if<std::string>(&value);
    const auto* storedText = std::get_if<std::string>(&stored);
    if (text || storedText) {
        if (!text || !storedText || Trim(*text) != Trim(*storedText)) return false;
    } else if (!(stored == value)) {
        return false;
    }
    return SeekIndexKey(field, IndexKey(layout_, record.data(), slot), recnos);
}

bool DbfFile::IndexKnownToMatch() const {
    return indexMatches_ == 1 ||
           (indexMatches_ < 0 && indexProblem_.empty() && IndexPairTrusted(stamp_, indexStamp_));
}

bool DbfFile::ReadKnownIndex(std::string& bytes) const {
    // Read first, then the stamp: a file changed meanwhile has another.
    return IndexKnownToMatch() && platform::ReadFileBytes(indexPath_, bytes) &&
           FileStamp::OfPath(indexPath_) == indexStamp_;
}

bool DbfFile::SeekIndexKey(int field, const std::string& key, std::vector<uint32_t>& recnos,
                           bool orGreater) const {
    const CdxTag* tag = TagOn(field);
    if (!tag) return false;
    int fd = ::open(indexPath_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    bool answered = false;
    try {
        if (FileStamp::OfDescriptor(fd) == indexStamp_ && IndexMatchesRecords()) {
            recnos = SeekCdxKey(
                [&](uint32_t offset, char* page) {
                    if (::pread(fd, page, 512, offset) != 512)
                        throw Error(ErrorKind::BadFile, indexPath_ + ": an index page is missing");
                },
                *tag, IsCharacterKey(Slot(field)), key, indexPath_, orGreater);
            answered = true;
        }
    } catch (const Error&) {
    }
    ::close(fd);
    return answered;
}

const std::vector<IndexedField>& DbfFile::IndexedFields() const {
    if (!indexProblem_.empty()) throw Error(ErrorKind::BadFile, indexProblem_);
    return indexed_;
}

int DbfFile::FieldIndex(const std::string& name) const {
    for (size_t i = 0; i < layout_.defs.size(); ++i)
        if (::strcasecmp(layout_.defs[i].name.c_str(), name.c_str()) == 0)
            return static_cast<int>(i);
    return -1;
}

const FieldSlot& DbfFile::Slot(int field) const {
    if (field < 0 || static_cast<size_t>(field) >= layout_.fields.size())
        throw Error(ErrorKind::Other,
                    path_ + ": field number " + std::to_string(field) + " does not exist");
    return layout_.fields[static_cast<size_t>(field)];
}

const char* DbfFile::Record(uint32_t recno) const {
    if (recno < 1 || recno > layout_.recordCount)
        throw Error(ErrorKind::Other,
                    path_ + ": record " + std::to_string(recno) + " does not exist");
    return data_ + layout_.headerLength + static_cast<size_t>(recno - 1) * layout_.recordLength;
}

Value DbfFile::Get(uint32_t recno, int field) const {
    const char* record = Record(recno);
    const FieldSlot& slot = Slot(field);
    if (slot.def.type == 'M' && !layout_.IsNull(record, slot)) return MemoText(record, slot);
    Value value = DecodeField(layout_, record, slot);
    CheckIntact();
    return value;
}

void DbfFile::ReadRecord(uint32_t recno, std::vector<Value>& values) const {
    const char* record = Record(recno);
    values.resize(layout_.fields.size());
    for (size_t i = 0; i < layout_.fields.size(); ++i) {
        const FieldSlot& slot = layout_.fields[i];
        if (slot.def.type == 'M' && !layout_.IsNull(record, slot))
            values[i] = MemoText(record, slot);
        else
            DecodeFieldInto(layout_, record, slot, values[i]);
    }
    CheckIntact();
}

DbfFile::~DbfFile() {
    guard_.Stop();
    if (mapped_) UnmapLater(mapped_, size_);
}

void DbfFile::CheckIntact() const {
    if (guard_.Cut())
        throw Error(ErrorKind::BadFile, path_ + ": the table file was cut short by another program "
                                                "while it was being read. Please try again.");
}

void DbfFile::Patch(const std::vector<FilePatch>& patches, const FileStamp& stamp) {
    // Changes that leave every key as it was leave a matching index matching.
    if (IndexPairTrusted(stamp_, indexStamp_)) TrustIndexPair(path_, stamp, indexStamp_);
    stamp_ = stamp;
    if (mapped_) return; // the mapping shows the file as written
    char* bytes = read_ ? read_.get() : &written_[0];
    for (const FilePatch& patch : patches)
        if (patch.offset < size_)
            std::memcpy(bytes + patch.offset, patch.bytes.data(),
                        std::min<size_t>(patch.bytes.size(), size_ - patch.offset));
}

std::string_view DbfFile::RawField(uint32_t recno, int field) const {
    return RawFieldBytes(layout_, Record(recno), Slot(field));
}

std::string FindTableFile(const std::string& folder, const std::string& name) {
    const std::string file = EndsWithNoCase(name, ".dbf") ? name : name + ".dbf";
    std::string found = platform::FindFileNoCase(folder, file);
    if (found.empty()) {
        // A table whose creation was cut short between its renames.
        std::string marker = platform::FindFileNoCase(folder, file + ".commit");
        if (!marker.empty()) {
            RecoverTableFiles(marker.substr(0, marker.size() - 7));
            found = platform::FindFileNoCase(folder, file);
        }
    }
    return found;
}

} // namespace foxdb
