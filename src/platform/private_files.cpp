#include "platform/private_files.h"

#include "platform/system_dir.h"
#include "platform/temp_names.h"

#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace platform {
namespace {

// Calls `visit` with the path and lstat of the folder and of every entry below it.
template <typename Visit> void Walk(const std::string& folder, Visit visit) {
    struct stat st;
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return;
    visit(folder, st);
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string path = it->path().string();
        if (::lstat(path.c_str(), &st) == 0) visit(path, st);
    }
}

} // namespace

void MakePrivate(const std::string& folder) {
    Walk(folder, [](const std::string& path, const struct stat& st) {
        if (!S_ISLNK(st.st_mode) && (st.st_mode & 077)) ::chmod(path.c_str(), st.st_mode & 07700);
    });
}

int RemoveLeftoverTemps(const std::string& folder) {
    int removed = 0;
    Walk(folder, [&removed](const std::string& path, const struct stat& st) {
        if (S_ISREG(st.st_mode) && IsTempName(fs::path(path).filename().string()) &&
            ::unlink(path.c_str()) == 0)
            ++removed;
    });
    return removed;
}

void EmptyFolder(const std::string& folder) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code removeError;
        fs::remove_all(it->path(), removeError);
    }
}

bool TidyAtStart(const std::string& programFolder, std::string* problem) {
    const std::string system = SystemDirectory(problem);
    if (system.empty()) return false;
    MakePrivate(programFolder);
    RemoveLeftoverTemps(programFolder);
    RemoveLeftoverTemps(system);
    EmptyFolder(system + "/" + kRebuildStagingName);
    return true;
}

} // namespace platform
