#pragma once
// The home folder of the user running the program. Header-only, because sealkit uses
// it too and links against nothing of ours.
#include <cstdlib>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

// $HOME when it names an existing folder by an absolute path, else the home that the
// password database gives the user; empty when neither does. Never a shared place such
// as /tmp: private files would land where others can reach them.
inline std::string UserHome() {
    auto usable = [](const char* dir) {
        struct stat st;
        return dir && dir[0] == '/' && ::stat(dir, &st) == 0 && S_ISDIR(st.st_mode);
    };
    const char* home = std::getenv("HOME");
    if (usable(home)) return home;
    const passwd* pw = ::getpwuid(::geteuid());
    if (pw && usable(pw->pw_dir)) return pw->pw_dir;
    return std::string();
}

} // namespace platform
