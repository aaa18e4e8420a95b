#pragma once
// The stand-in for the Windows system directory: a private folder (mode 0700) on
// persistent disk that holds the plain working copies of encrypted tables.
// Header-only, because sealkit uses it too and links against nothing of ours.
#include "platform/user_home.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

// The sub-folder of the system directory where rebuilt plain tables wait to be put in
// place; whatever lies there is scratch, emptied at each start and each rebuild.
constexpr const char* kRebuildStagingName = "Rebuild";

// $QV_SYSDIR, else ~/.local/state/qv/system, with missing folders created 0700.
// Plain copies of tables live there, so the folder must be the user's alone: an
// existing one that is a symbolic link, belongs to someone else or is open to others
// is refused, as is a missing home. Returns the path without a trailing '/', or an
// empty string with the reason in *problem.
inline std::string SystemDirectory(std::string* problem = nullptr) {
    auto refuse = [problem](const std::string& why) {
        if (problem) *problem = why;
        return std::string();
    };
    std::string dir;
    if (const char* env = std::getenv("QV_SYSDIR"); env && *env) {
        dir = env;
    } else {
        std::string home = UserHome();
        if (home.empty()) return refuse("找不到当前用户的主目录，无法建立系统数据目录。");
        dir = home + "/.local/state/qv/system";
    }
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    if (dir.empty() || dir[0] != '/') return refuse("系统数据目录 " + dir + " 不是绝对路径。");
    for (size_t pos = 1; pos <= dir.size(); ++pos) {
        if (pos == dir.size() || dir[pos] == '/') {
            std::string part = dir.substr(0, pos);
            if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
                return refuse("无法建立系统数据目录 " + dir + "。");
        }
    }
    struct stat st;
    if (::lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return refuse("系统数据目录 " + dir + " 不是一个目录(或是符号链接)。");
    if (st.st_uid != ::geteuid()) return refuse("系统数据目录 " + dir + " 不属于当前用户。");
    if (st.st_mode & 077)
        return refuse("系统数据目录 " + dir + " 其他用户可以访问，请把它的权限改为 0700。");
    return dir;
}

} // namespace platform
