#pragma once
// The stand-in for the Windows system directory: a private folder (mode 0700) on
// persistent disk that holds the plain working copies of encrypted tables.
// Header-only, because sealkit uses it too and links against nothing of ours.
#include <cstdlib>
#include <string>
#include <sys/stat.h>

namespace platform {

// $QV_SYSDIR, else ~/.local/state/qv/system. Created (with parents) when missing;
// an existing folder is narrowed to 0700. Returns the path without a trailing '/'.
inline std::string SystemDirectory() {
    std::string dir;
    if (const char* env = std::getenv("QV_SYSDIR"); env && *env) {
        dir = env;
    } else {
        const char* home = std::getenv("HOME");
        dir = std::string(home && *home ? home : "/tmp") + "/.local/state/qv/system";
    }
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    for (size_t pos = 1; pos <= dir.size(); ++pos) {
        if (pos == dir.size() || dir[pos] == '/') {
            std::string part = dir.substr(0, pos);
            bool last = pos == dir.size();
            ::mkdir(part.c_str(), last ? 0700 : 0755);
        }
    }
    ::chmod(dir.c_str(), 0700);
    return dir;
}

} // namespace platform
