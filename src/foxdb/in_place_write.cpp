#include "foxdb/in_place_write.h"

#include "foxdb/error.h"
#include "foxdb/transaction.h"
#include "foxdb/written_ranges.h"
#include "platform/files.h"
#include "platform/le64.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace foxdb {
namespace {

const char kMagic[8] = {'Q', 'V', 'U', 'N', 'D', 'O', '1', '\n'};

[[noreturn]] void Fail(const std::string& what) {
    throw Error(ErrorKind::Io, what + ": " + std::strerror(errno));
}

void WriteFully(int fd, const char* p, size_t n, uint64_t offset, const std::string& path) {
    while (n > 0) {
        ssize_t w = ::pwrite(fd, p, n, static_cast<off_t>(offset));
        if (w < 0 && errno == EINTR) continue;
        if (w < 0) Fail("cannot write " + path);
        p += w;
        n -= static_cast<size_t>(w);
        offset += static_cast<uint64_t>(w);
    }
}

void SyncFolderOf(const std::string& path) {
    int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Magic, old size, then per entry its offset, length and old bytes.
std::string UndoRecord(const std::vector<FilePatch>& patches, const char* old, uint64_t oldSize) {
    std::string undo(kMagic, sizeof kMagic);
    platform::AppendLe64(undo, oldSize);
    for (const FilePatch& patch : patches) {
        if (patch.offset >= oldSize) continue; // beyond the old end: the size puts it back
        const uint64_t length = std::min<uint64_t>(patch.bytes.size(), oldSize - patch.offset);
        platform::AppendLe64(undo, patch.offset);
        platform::AppendLe64(undo, length);
        undo.append(old + patch.offset, static_cast<size_t>(length));
    }
    return undo;
}

// Writes the undo record under its final name only once it is complete on disk.
void KeepUndo(const std::string& undoPath, const std::string& undo, const std::string& like) {
    const std::string temp = undoPath + ".tmp";
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) Fail("cannot create " + temp);
    struct stat st;
    if (::stat(like.c_str(), &st) == 0) ::fchmod(fd, st.st_mode & 0600);
    try {
        WriteFully(fd, undo.data(), undo.size(), 0, temp);
        if (::fsync(fd) != 0) Fail("cannot write " + temp);
    } catch (...) {
        ::close(fd);
        ::unlink(temp.c_str());
        throw;
    }
    ::close(fd);
    if (::rename(temp.c_str(), undoPath.c_str()) != 0) {
        int saved = errno;
        ::unlink(temp.c_str());
        errno = saved;
        Fail("cannot write " + undoPath);
    }
    SyncFolderOf(undoPath);
}

// The new index beside the old one, complete on disk, and the old one kept by a
// second name. A leftover of an earlier write killed before its undo file was there
// is replaced.
void StageIndex(const std::string& path, const std::string& indexPath, const std::string& bytes) {
    const std::string oldIndex = OldIndexPathFor(path);
    const std::string temp = indexPath + ".tmp";
    ::unlink(oldIndex.c_str());
    WriteNewFile(temp, bytes, indexPath);
    if (::link(indexPath.c_str(), oldIndex.c_str()) != 0) {
        std::string error;
        if (!platform::CopyFileAtomic(indexPath, oldIndex, true, &error)) {
            ::unlink(temp.c_str());
            throw Error(ErrorKind::Io, "cannot keep " + indexPath + ": " + error);
        }
    }
    SyncFolderOf(path);
}

void DropStagedIndex(const std::string& path, const std::string& indexPath) {
    ::unlink((indexPath + ".tmp").c_str());
    ::unlink(OldIndexPathFor(path).c_str());
}

// The old index back in its place, after the table's old bytes.
void PutBackOldIndex(const std::string& path) {
    const std::string oldIndex = OldIndexPathFor(path);
    struct stat st;
    if (::lstat(oldIndex.c_str(), &st) != 0) return;
    const std::string index = IndexPathFor(path);
    ::unlink((index + ".tmp").c_str());
    if (::rename(oldIndex.c_str(), index.c_str()) != 0) Fail("cannot restore " + index);
    ::unlink(oldIndex.c_str()); // renaming a file over another name of itself keeps both
}

long long Nanoseconds(const timespec& t) {
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}

// A later modification time than `before`'s, even when the clock did not move on:
// readers tell versions apart by the stamp.
void MoveStampOn(int fd, const FileStamp& before) {
    struct stat st;
    if (::fstat(fd, &st) != 0 || Nanoseconds(st.st_mtim) > before.modifiedNs) return;
    const long long next = before.modifiedNs + 1;
    timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = static_cast<time_t>(next / 1000000000LL);
    times[1].tv_nsec = static_cast<long>(next % 1000000000LL);
    ::futimens(fd, times);
}

} // namespace

std::string UndoPathFor(const std::string& path) {
    return path + ".qv-undo";
}

std::string OldIndexPathFor(const std::string& path) {
    return path + ".qv-old-index";
}

FileStamp WriteInPlace(const std::string& path, const std::vector<FilePatch>& patches,
                       const char* old, uint64_t oldSize, uint64_t newSize, const FileStamp& before,
                       const std::string& indexPath, const std::string* indexBytes) {
    const std::string undoPath = UndoPathFor(path);
    const std::string undo = UndoRecord(patches, old, oldSize);
    if (indexBytes) StageIndex(path, indexPath, *indexBytes);
    try {
        KeepInPlaceUndo(path, undo);
        KeepUndo(undoPath, undo, path);
    } catch (...) {
        if (indexBytes) DropStagedIndex(path, indexPath);
        throw;
    }
    TransactionStep("write");
    int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        int saved = errno;
        ::unlink(undoPath.c_str());
        if (indexBytes) DropStagedIndex(path, indexPath);
        errno = saved;
        Fail("cannot write " + path);
    }
    FileStamp stamp;
    try {
        for (const FilePatch& patch : patches)
            WriteFully(fd, patch.bytes.data(), patch.bytes.size(), patch.offset, path);
        if (newSize != oldSize && ::ftruncate(fd, static_cast<off_t>(newSize)) != 0)
            Fail("cannot write " + path);
        MoveStampOn(fd, before);
        if (::fsync(fd) != 0) Fail("cannot write " + path);
        stamp = FileStamp::OfDescriptor(fd);
        std::vector<platform::ByteRange> written;
        for (const FilePatch& patch : patches)
            written.push_back(platform::ByteRange{patch.offset, patch.bytes.size()});
        NoteWrites(before, stamp, std::move(written));
        if (indexBytes) {
            TransactionStep("index");
            if (::rename((indexPath + ".tmp").c_str(), indexPath.c_str()) != 0)
                Fail("cannot replace " + indexPath);
            SyncFolderOf(path);
        }
    } catch (...) {
        ::close(fd);
        ForgetWrites(before); // half written: what differs is no longer known
        // Put the old bytes back now; should that fail too, the next opener does.
        try {
            UndoInterruptedWrite(path);
        } catch (const Error&) {
        }
        throw;
    }
    ::close(fd);
    TransactionStep("written");
    if (::unlink(undoPath.c_str()) != 0) Fail("cannot remove " + undoPath);
    SyncFolderOf(path);
    if (indexBytes) ::unlink(OldIndexPathFor(path).c_str());
    return stamp;
}

void UndoInterruptedWrite(const std::string& path) {
    const std::string undoPath = UndoPathFor(path);
    struct stat st;
    if (::lstat(undoPath.c_str(), &st) != 0) return;
    std::string undo;
    if (!platform::ReadFileBytes(undoPath, undo)) Fail("cannot read " + undoPath);
    if (::access(path.c_str(), F_OK) != 0 && errno == ENOENT) {
        ::unlink(undoPath.c_str()); // the table itself is gone: nothing to put back
        return;
    }
    PutBackOldBytes(path, undo);
    PutBackOldIndex(path);
    ::unlink(undoPath.c_str());
    SyncFolderOf(path);
}

void PutBackOldBytes(const std::string& path, const std::string& undo) {
    if (undo.size() < 16 || undo.compare(0, 8, kMagic, 8) != 0)
        throw Error(ErrorKind::BadFile, UndoPathFor(path) +
                                            ": the record of an interrupted write is damaged; " +
                                            path + " may hold a half-written change.");
    const uint64_t oldSize = platform::ReadLe64(undo, 8);
    int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) Fail("cannot restore " + path);
    const FileStamp before = FileStamp::OfDescriptor(fd);
    try {
        std::vector<platform::ByteRange> written;
        size_t at = 16;
        while (at + 16 <= undo.size()) {
            const uint64_t offset = platform::ReadLe64(undo, at);
            const uint64_t length = platform::ReadLe64(undo, at + 8);
            at += 16;
            if (length > undo.size() - at) break;
            WriteFully(fd, undo.data() + at, static_cast<size_t>(length), offset, path);
            written.push_back(platform::ByteRange{offset, length});
            at += static_cast<size_t>(length);
        }
        if (::ftruncate(fd, static_cast<off_t>(oldSize)) != 0) Fail("cannot restore " + path);
        // Later than any stamp a reader took of the changed file, though the size and
        // the file stay the same.
        timespec now[2];
        ::clock_gettime(CLOCK_REALTIME, &now[1]);
        now[0].tv_sec = 0;
        now[0].tv_nsec = UTIME_OMIT;
        ::futimens(fd, now);
        if (::fsync(fd) != 0) Fail("cannot restore " + path);
        NoteWrites(before, FileStamp::OfDescriptor(fd), std::move(written));
    } catch (...) {
        ::close(fd);
        ForgetWrites(before);
        throw;
    }
    ::close(fd);
}

} // namespace foxdb
