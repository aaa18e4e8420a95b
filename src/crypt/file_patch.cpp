#include "crypt/file_patch.h"

#include "platform/le64.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sealkit {
namespace {

const char kMagic[8] = {'Q', 'V', 'U', 'N', 'D', 'O', '1', '\n'};

std::string UndoPath(const std::string& path) {
    return path + ".qv-undo";
}

bool WriteFully(int fd, const char* p, size_t n, uint64_t offset) {
    while (n > 0) {
        ssize_t w = ::pwrite(fd, p, n, static_cast<off_t>(offset));
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) return false;
        p += w;
        n -= static_cast<size_t>(w);
        offset += static_cast<uint64_t>(w);
    }
    return true;
}

bool ReadWhole(const std::string& path, std::string& out) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    char buffer[65536];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) != 0) {
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) break;
        out.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return n == 0;
}

void SyncFolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The file opened for writing; a read-only one (as encrypted files are left) is
// made writable for the while and given its mode back by Close.
class Writable {
public:
    explicit Writable(const std::string& path) {
        struct stat st;
        if (::stat(path.c_str(), &st) != 0) return;
        mode_ = st.st_mode & 07777;
        if (!(mode_ & S_IWUSR) && ::chmod(path.c_str(), mode_ | S_IWUSR) != 0) return;
        fd_ = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
        if (!(mode_ & S_IWUSR)) {
            if (fd_ >= 0)
                ::fchmod(fd_, mode_);
            else
                ::chmod(path.c_str(), mode_);
        }
    }
    ~Writable() {
        if (fd_ >= 0) ::close(fd_);
    }
    int Fd() const { return fd_; }

private:
    int fd_ = -1;
    mode_t mode_ = 0;
};

bool KeepUndo(const std::string& path, const std::vector<FilePatch>& patches, uint64_t oldSize) {
    std::string undo(kMagic, sizeof kMagic);
    platform::AppendLe64(undo, oldSize);
    for (const FilePatch& patch : patches) {
        platform::AppendLe64(undo, patch.offset);
        platform::AppendLe64(undo, patch.old.size());
        undo += patch.old;
    }
    const std::string temp = UndoPath(path) + ".tmp";
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    bool ok = WriteFully(fd, undo.data(), undo.size(), 0) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok || ::rename(temp.c_str(), UndoPath(path).c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    SyncFolderOf(path);
    return true;
}

} // namespace

bool PatchFile(const std::string& path, const std::vector<FilePatch>& patches, uint64_t oldSize,
               uint64_t newSize) {
    if (!RestoreInterruptedPatch(path)) return false;
    Writable file(path);
    if (file.Fd() < 0 || !KeepUndo(path, patches, oldSize)) return false;
    bool ok = true;
    for (const FilePatch& patch : patches)
        ok = ok && WriteFully(file.Fd(), patch.bytes.data(), patch.bytes.size(), patch.offset);
    ok = ok && (newSize == oldSize || ::ftruncate(file.Fd(), static_cast<off_t>(newSize)) == 0);
    // The time of the change, even when no byte differed.
    ok = ok && ::futimens(file.Fd(), nullptr) == 0 && ::fsync(file.Fd()) == 0;
    if (!ok) {
        RestoreInterruptedPatch(path);
        return false;
    }
    ::unlink(UndoPath(path).c_str());
    SyncFolderOf(path);
    return true;
}

bool RestoreInterruptedPatch(const std::string& path) {
    const std::string undoPath = UndoPath(path);
    ::unlink((undoPath + ".tmp").c_str()); // never named: the file was not touched yet
    struct stat st;
    if (::lstat(undoPath.c_str(), &st) != 0) return true;
    std::string undo;
    if (!ReadWhole(undoPath, undo) || undo.size() < 16 || undo.compare(0, 8, kMagic, 8) != 0)
        return false;
    Writable file(path);
    if (file.Fd() < 0) return false;
    bool ok = true;
    size_t at = 16;
    while (ok && at + 16 <= undo.size()) {
        const uint64_t offset = platform::ReadLe64(undo, at);
        const uint64_t length = platform::ReadLe64(undo, at + 8);
        at += 16;
        if (length > undo.size() - at) return false;
        ok = WriteFully(file.Fd(), undo.data() + at, static_cast<size_t>(length), offset);
        at += static_cast<size_t>(length);
    }
    ok = ok && ::ftruncate(file.Fd(), static_cast<off_t>(platform::ReadLe64(undo, 8))) == 0 &&
         ::fsync(file.Fd()) == 0;
    if (!ok) return false;
    ::unlink(undoPath.c_str());
    SyncFolderOf(path);
    return true;
}

} // namespace sealkit
