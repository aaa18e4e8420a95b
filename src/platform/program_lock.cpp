#include "platform/program_lock.h"

#include "platform/paths.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

const char* const kProgramLockFile = "qv.lock";

namespace {

std::mutex g_mutex;
int g_fd = -1;
std::string g_folder; // canonical
FolderUse g_use = FolderUse::kRead;

std::string Canonical(const std::string& folder) {
    char resolved[PATH_MAX];
    if (::realpath(folder.c_str(), resolved)) return resolved;
    return folder;
}

void Release() {
    if (g_fd >= 0) ::close(g_fd); // closing our last descriptor releases the lock
    g_fd = -1;
    g_folder.clear();
}

bool Refuse(std::string* problem, const std::string& why) {
    if (problem) *problem = why;
    return false;
}

} // namespace

bool LockProgramFolder(const std::string& folder, FolderUse use, std::string* problem) {
    std::lock_guard<std::mutex> guard(g_mutex);
    const std::string canonical = Canonical(folder);
    if (g_fd >= 0 && g_folder == canonical && (g_use == FolderUse::kWrite || use == g_use))
        return true;
    if (g_fd < 0 || g_folder != canonical) {
        Release();
        const std::string path = JoinPath(canonical, kProgramLockFile);
        g_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (g_fd < 0)
            return Refuse(problem, "无法在程序目录 " + folder + " 中建立锁文件 " +
                                       kProgramLockFile + "，请检查目录的权限。");
        g_folder = canonical;
    }
    int done;
    while ((done = ::flock(g_fd, (use == FolderUse::kWrite ? LOCK_EX : LOCK_SH) | LOCK_NB)) != 0 &&
           errno == EINTR) {
    }
    if (done != 0) {
        // A lock held before for reading is lost in a failed change to writing.
        Release();
        return Refuse(problem,
                      "程序目录 " + folder +
                          " 中的数据正在被另一个程序使用。\n同一套数据同时只能由一个程序打开，"
                          "请先关闭另一个程序再试。");
    }
    g_use = use;
    return true;
}

void UnlockProgramFolder() {
    std::lock_guard<std::mutex> guard(g_mutex);
    Release();
}

std::string ProgramFolderAbove(const std::string& folder) {
    std::string at = Canonical(folder);
    struct stat st;
    while (!at.empty()) {
        if (::stat(JoinPath(at, kProgramLockFile).c_str(), &st) == 0) return at;
        if (at == "/") break;
        const size_t slash = at.rfind('/');
        at = slash == 0 ? "/" : at.substr(0, slash);
    }
    return std::string();
}

} // namespace platform
