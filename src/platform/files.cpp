#include "platform/files.h"

#include "platform/paths.h"
#include "platform/temp_names.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace platform {
namespace {

void SetError(std::string* error, const std::string& what) {
    if (error) *error = what + ": " + std::strerror(errno);
}

// Writes `bytes` (or the content of `source` when given) to a fresh temporary file
// beside `to`, syncs it and renames it over `to`. The new file keeps the mode of the
// one it replaces; a new one is private (mkstemp's 0600).
bool WriteThroughTemp(const std::string& to, const std::string* bytes, int source,
                      std::string* error) {
    std::string temp = to + kTempMark + std::string(kTempTagLength, 'X');
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0) {
        SetError(error, "cannot create " + to);
        return false;
    }
    bool ok = true;
    auto writeAll = [&](const char* data, size_t size) {
        while (size > 0) {
            ssize_t n = ::write(fd, data, size);
            if (n < 0) {
                if (errno == EINTR) continue;
                return false;
            }
            data += n;
            size -= static_cast<size_t>(n);
        }
        return true;
    };
    if (bytes) {
        ok = writeAll(bytes->data(), bytes->size());
    } else {
        std::vector<char> buffer(1 << 20);
        for (;;) {
            ssize_t n = ::read(source, buffer.data(), buffer.size());
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                ok = false;
                break;
            }
            if (n == 0) break;
            if (!writeAll(buffer.data(), static_cast<size_t>(n))) {
                ok = false;
                break;
            }
        }
    }
    struct stat old;
    if (ok && ::stat(to.c_str(), &old) == 0) ok = ::fchmod(fd, old.st_mode & 07777) == 0;
    if (ok) ok = ::fsync(fd) == 0;
    int savedErrno = errno;
    ::close(fd);
    if (ok && ::rename(name.data(), to.c_str()) == 0) return true;
    if (ok) savedErrno = errno;
    ::unlink(name.data());
    errno = savedErrno;
    SetError(error, "cannot write " + to);
    return false;
}

} // namespace

bool FileExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool FolderExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string FindFileNoCase(const std::string& folder, const std::string& name) {
    std::string exact = JoinPath(folder, name);
    struct stat st;
    if (::lstat(exact.c_str(), &st) == 0) return exact;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return std::string();
    std::string found;
    while (dirent* entry = ::readdir(dir)) {
        if (::strcasecmp(entry->d_name, name.c_str()) == 0) {
            found = JoinPath(folder, entry->d_name);
            break;
        }
    }
    ::closedir(dir);
    return found;
}

std::string ResolvePathNoCase(const std::string& path) {
    struct stat st;
    if (path.empty() || ::lstat(path.c_str(), &st) == 0) return path;
    size_t pos = path.rfind(kSep);
    if (pos == std::string::npos) {
        std::string found = FindFileNoCase(".", path);
        return found.empty() ? path : found.substr(2);
    }
    std::string folder = pos == 0 ? std::string(1, kSep) : path.substr(0, pos);
    std::string name = path.substr(pos + 1);
    std::string resolvedFolder = ResolvePathNoCase(folder);
    if (name.empty()) return resolvedFolder + kSep;
    std::string found = FindFileNoCase(resolvedFolder, name);
    return found.empty() ? path : found;
}

bool WildcardMatch(const std::string& pattern, const std::string& name) {
    size_t p = 0, n = 0, star = std::string::npos, mark = 0;
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

std::vector<std::string> ListFiles(const std::string& folder, const std::string& pattern) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec)) continue;
        std::string name = it->path().filename().string();
        if (WildcardMatch(pattern, name)) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> ListFolders(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_directory(ec)) names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool CopyFileAtomic(const std::string& from, const std::string& to, bool overwrite,
                    std::string* error) {
    if (!overwrite && FileExists(to)) {
        errno = EEXIST;
        SetError(error, "cannot replace " + to);
        return false;
    }
    int source = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (source < 0) {
        SetError(error, "cannot open " + from);
        return false;
    }
    bool ok = WriteThroughTemp(to, nullptr, source, error);
    ::close(source);
    return ok;
}

bool MoveFile(const std::string& from, const std::string& to, std::string* error) {
    if (::rename(from.c_str(), to.c_str()) == 0) return true;
    if (errno != EXDEV) {
        SetError(error, "cannot move " + from);
        return false;
    }
    return CopyFileAtomic(from, to, true, error) && DeleteFile(from);
}

bool DeleteFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

bool CreateFolders(const std::string& path) {
    // Each missing folder is made private; existing ones are left as they are.
    for (size_t pos = 1; pos <= path.size(); ++pos)
        if (pos == path.size() || path[pos] == kSep) ::mkdir(path.substr(0, pos).c_str(), 0700);
    return !path.empty() && FolderExists(path);
}

bool SetReadOnly(const std::string& path, bool readOnly) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return false;
    mode_t mode = st.st_mode & 07777;
    mode = readOnly ? (mode & ~mode_t(0222)) : (mode | S_IWUSR);
    return ::chmod(path.c_str(), mode) == 0;
}

bool IsReadOnly(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && (st.st_mode & 0222) == 0;
}

long long FileSize(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? static_cast<long long>(st.st_size) : -1;
}

bool ReadFileBytes(const std::string& path, std::string& bytes) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    bytes.clear();
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.append(buffer, n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

bool WriteFileAtomic(const std::string& path, const std::string& bytes, std::string* error) {
    return WriteThroughTemp(path, &bytes, -1, error);
}

} // namespace platform
