#include "crypt/key_store.h"

#include "platform/user_home.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sealkit {
namespace {

constexpr const char* kFileName = "/sealkit.keys";
constexpr const char* kHex = "0123456789abcdef";

bool MakeFolders(const std::string& dir) {
    for (size_t pos = 1; pos <= dir.size(); ++pos) {
        if (pos == dir.size() || dir[pos] == '/') {
            std::string part = dir.substr(0, pos);
            if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
        }
    }
    struct stat st;
    return ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && ::chmod(dir.c_str(), 0700) == 0;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool FromHex(const std::string& hex, std::string& bytes) {
    if (hex.size() % 2) return false;
    bytes.clear();
    for (size_t i = 0; i < hex.size(); i += 2) {
        int hi = HexDigit(hex[i]), lo = HexDigit(hex[i + 1]);
        if (hi < 0 || lo < 0) return false;
        bytes.push_back(static_cast<char>(hi << 4 | lo));
    }
    return true;
}

bool ReadAll(int fd, std::string& text) {
    char buffer[4096];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        text.append(buffer, static_cast<size_t>(n));
    }
}

bool WriteAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

} // namespace

std::string KeyFolder() {
    std::string dir;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
        dir = std::string(xdg) + "/qv";
    } else {
        std::string home = platform::UserHome();
        if (home.empty()) return std::string();
        dir = home + "/.config/qv";
    }
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    return MakeFolders(dir) ? dir : std::string();
}

KeyStore::KeyStore(const std::string& folder) : path_(folder + kFileName) {}

KeyStore::~KeyStore() {
    if (lockFd_ >= 0) ::close(lockFd_);
}

bool KeyStore::Load() {
    entries_.clear();
    if (lockFd_ < 0) {
        std::string lockPath = path_ + ".lock";
        lockFd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (lockFd_ < 0) return false;
        while (::flock(lockFd_, LOCK_EX) != 0)
            if (errno != EINTR) return false;
    }
    int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT;
    std::string text;
    bool ok = ReadAll(fd, text);
    ::close(fd);
    size_t start = 0;
    while (ok && start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (line.empty()) continue;
        size_t eq = line.find('=');
        std::string bytes;
        ok = eq != std::string::npos && FromHex(line.substr(eq + 1), bytes);
        if (ok) entries_[line.substr(0, eq)] = bytes;
    }
    return ok;
}

std::string KeyStore::Get(const std::string& name) const {
    auto it = entries_.find(name);
    return it == entries_.end() ? std::string() : it->second;
}

bool KeyStore::Save() {
    if (lockFd_ < 0) return false;
    std::string text;
    for (const auto& [name, bytes] : entries_) {
        text += name + '=';
        for (unsigned char c : bytes) {
            text += kHex[c >> 4];
            text += kHex[c & 15];
        }
        text += '\n';
    }
    std::string temp = path_ + ".new";
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    bool ok = ::fchmod(fd, 0600) == 0 && WriteAll(fd, text) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok && ::rename(temp.c_str(), path_.c_str()) == 0) return true;
    ::unlink(temp.c_str());
    return false;
}

} // namespace sealkit
