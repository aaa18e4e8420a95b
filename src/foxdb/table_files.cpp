#include "foxdb/table_files.h"

#include "foxdb/error.h"
#include "foxdb/in_place_write.h"
#include "foxdb/transaction.h"
#include "platform/files.h"
#include "platform/paths.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace foxdb {
namespace {

const char kTempSuffix[] = ".tmp";
const char kMarkerSuffix[] = ".commit";

std::string BaseName(const std::string& path) {
    size_t slash = path.rfind(platform::kSep);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

[[noreturn]] void Fail(const std::string& what) {
    throw Error(ErrorKind::Io, what + ": " + std::strerror(errno));
}

void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The part of a file name before its extension, ignoring case ("LJKC" of "LJKC.DBF").
std::string Stem(const std::string& name) {
    std::string stem = name.substr(0, name.rfind('.'));
    for (char& c : stem)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return stem;
}

// Renames every "<target>.tmp" the marker names over its target, then drops the
// marker. Only the table's own files are touched, whatever the marker says.
void FinishReplacement(const std::string& marker) {
    std::string names;
    if (!platform::ReadFileBytes(marker, names)) return;
    const std::string folder = FolderOf(marker);
    const std::string table =
        BaseName(marker.substr(0, marker.size() - (sizeof kMarkerSuffix - 1)));
    size_t start = 0;
    while (start < names.size()) {
        size_t end = names.find('\n', start);
        if (end == std::string::npos) end = names.size();
        const std::string name = names.substr(start, end - start);
        start = end + 1;
        if (name.empty() || name.find(platform::kSep) != std::string::npos ||
            Stem(name) != Stem(table))
            continue;
        std::string target = platform::JoinPath(folder, name);
        if (::rename((target + kTempSuffix).c_str(), target.c_str()) != 0 && errno != ENOENT)
            Fail("cannot replace " + target);
    }
    SyncFolder(folder);
    ::unlink(marker.c_str());
}

} // namespace

void WriteNewFile(const std::string& path, const std::string& bytes, const std::string& like) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) Fail("cannot create " + path);
    struct stat old;
    if (::stat(like.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            int saved = errno;
            ::close(fd);
            ::unlink(path.c_str());
            errno = saved;
            Fail("cannot write " + path);
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0) {
        int saved = errno;
        ::close(fd);
        ::unlink(path.c_str());
        errno = saved;
        Fail("cannot write " + path);
    }
    ::close(fd);
}

FileStamp FileStamp::OfDescriptor(int fd) {
    FileStamp stamp;
    struct stat st;
    if (::fstat(fd, &st) == 0) {
        stamp.device = st.st_dev;
        stamp.inode = st.st_ino;
        stamp.size = st.st_size;
        stamp.modifiedNs = st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
        stamp.changedNs = st.st_ctim.tv_sec * 1000000000LL + st.st_ctim.tv_nsec;
    }
    return stamp;
}

FileStamp FileStamp::OfPath(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return FileStamp();
    FileStamp stamp = OfDescriptor(fd);
    ::close(fd);
    return stamp;
}

FolderLock::FolderLock(const std::string& folder, Mode mode) {
    fd_ = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) Fail("cannot open the folder " + folder);
    while (::flock(fd_, mode == kShared ? LOCK_SH : LOCK_EX) != 0) {
        if (errno == EINTR) continue;
        int saved = errno;
        ::close(fd_);
        errno = saved;
        Fail("cannot lock the folder " + folder);
    }
}

FolderLock::~FolderLock() {
    if (fd_ >= 0) ::close(fd_); // closing releases the lock
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind(platform::kSep);
    if (slash == std::string::npos) return ".";
    return slash == 0 ? std::string(1, platform::kSep) : path.substr(0, slash);
}

std::string IndexPathFor(const std::string& dbfPath) {
    const std::string folder = FolderOf(dbfPath);
    std::string name = BaseName(dbfPath);
    size_t dot = name.rfind('.');
    bool upper = dot != std::string::npos && name.compare(dot, std::string::npos, ".DBF") == 0;
    std::string base = dot == std::string::npos ? name : name.substr(0, dot);
    std::string wanted = base + (upper ? ".CDX" : ".cdx");
    std::string found = platform::FindFileNoCase(folder, wanted);
    return found.empty() ? platform::JoinPath(folder, wanted) : found;
}

void RecoverTableFiles(const std::string& dbfPath) {
    const std::string marker = dbfPath + kMarkerSuffix;
    struct stat st;
    const bool replacing = ::stat(marker.c_str(), &st) == 0;
    if (!replacing && ::stat(UndoPathFor(dbfPath).c_str(), &st) != 0) return;
    FolderLock lock(FolderOf(dbfPath));
    if (::stat(marker.c_str(), &st) == 0) FinishReplacement(marker);
    UndoInterruptedWrite(dbfPath);
}

void RecoverFolderFiles(const std::string& folder) {
    auto leftovers = [&folder] {
        std::vector<std::string> names;
        for (const char* pattern : {"*.dbf.commit", "*.dbf.tmp", "*.cdx.tmp", "*.dbf.commit.tmp",
                                    "*.dbf.qv-undo", "*.dbf.qv-undo.tmp", "*.dbf.qv-old-index"})
            for (std::string& name : platform::ListFiles(folder, pattern))
                names.push_back(std::move(name));
        return names;
    };
    if (leftovers().empty()) return;
    // Under the lock whatever is still there was left by a writer that died.
    FolderLock lock(folder);
    for (const std::string& name : platform::ListFiles(folder, "*.dbf.commit"))
        FinishReplacement(platform::JoinPath(folder, name));
    for (const std::string& name : platform::ListFiles(folder, "*.dbf.qv-undo")) {
        const std::string table = name.substr(0, name.size() - 8);
        UndoInterruptedWrite(platform::JoinPath(folder, table));
    }
    // New files without a marker were never decided: the old table stands.
    for (const std::string& name : leftovers())
        ::unlink(platform::JoinPath(folder, name).c_str());
    SyncFolder(folder);
}

void ReplaceTableFiles(const std::string& dbfPath, const std::string& dbfBytes,
                       const std::string& cdxPath, const std::string* cdxBytes) {
    const std::string folder = FolderOf(dbfPath);
    const std::string marker = dbfPath + kMarkerSuffix;
    // Under the lock a marker can only be left by a writer that died.
    struct stat st;
    if (::stat(marker.c_str(), &st) == 0) FinishReplacement(marker);

    const std::string dbfTemp = dbfPath + kTempSuffix;
    const std::string cdxTemp = cdxPath + kTempSuffix;
    WriteNewFile(dbfTemp, dbfBytes, dbfPath);
    if (!cdxBytes) {
        if (::rename(dbfTemp.c_str(), dbfPath.c_str()) != 0) {
            int saved = errno;
            ::unlink(dbfTemp.c_str());
            errno = saved;
            Fail("cannot replace " + dbfPath);
        }
        SyncFolder(folder);
        return;
    }
    try {
        WriteNewFile(cdxTemp, *cdxBytes, platform::FileExists(cdxPath) ? cdxPath : dbfPath);
        const std::string markerTemp = marker + kTempSuffix;
        WriteNewFile(markerTemp, BaseName(dbfPath) + "\n" + BaseName(cdxPath) + "\n", dbfPath);
        if (::rename(markerTemp.c_str(), marker.c_str()) != 0) {
            ::unlink(markerTemp.c_str());
            Fail("cannot write " + marker);
        }
    } catch (...) {
        ::unlink(dbfTemp.c_str());
        ::unlink(cdxTemp.c_str());
        throw;
    }
    SyncFolder(folder);
    TransactionStep("replace");
    // From here on the change is decided: a crash is finished by the next opener.
    FinishReplacement(marker);
}

} // namespace foxdb
