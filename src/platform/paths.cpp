#include "platform/paths.h"

#include "platform/files.h"
#include "platform/user_home.h"

#include <cstdlib>
#include <mutex>
#include <sys/stat.h>

namespace platform {
namespace {

std::mutex g_mutex;
std::string g_programFolder;

std::string Trimmed(std::string path) {
    while (path.size() > 1 && path.back() == kSep)
        path.pop_back();
    return path;
}

} // namespace

std::string ProgramFolder() {
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        if (!g_programFolder.empty()) return g_programFolder;
    }
    if (const char* env = std::getenv("QV_HOME"); env && *env) return Trimmed(env);
    std::string home = UserHome();
    return home.empty() ? home : home + "/.local/share/qv";
}

void SetProgramFolder(const std::string& folder) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_programFolder = folder.empty() ? std::string() : Trimmed(folder);
}

std::string ConfigFolder() {
    std::string dir;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        dir = std::string(xdg) + "/qv";
    else if (std::string home = UserHome(); !home.empty())
        dir = home + "/.config/qv";
    else
        return dir;
    CreateFolders(dir);
    ::chmod(dir.c_str(), 0700);
    return dir;
}

std::string JoinPath(const std::string& a, const std::string& b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    bool aSep = a.back() == kSep, bSep = b.front() == kSep;
    if (aSep && bSep) return a + b.substr(1);
    if (aSep || bSep) return a + b;
    return a + kSep + b;
}

std::string NativeSeparators(std::string path) {
    for (char& c : path)
        if (c == '\\') c = kSep;
    return path;
}

} // namespace platform
