// File naming exports: extensions, path splitting, deleting, the library's box.
#include "crypt/message.h"
#include "crypt/sealkit.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void ReplaceExtension(char* name, const char* ext) {
    size_t len = std::strlen(name);
    if (len < 3) return;
    std::memcpy(name + len - 3, ext, 3);
    name[len] = '\0';
}

void MakeNormal(const char* path) {
    struct stat st;
    if (::stat(path, &st) == 0) ::chmod(path, (st.st_mode & 07777) | S_IWUSR);
}

} // namespace

SEALKIT_API int GetExName(const char*, char* name) {
    if (name) ReplaceExtension(name, "dbf");
    return 1;
}

SEALKIT_API int GreateExName(const char*, char* name) {
    if (name) ReplaceExtension(name, "dwf");
    return 1;
}

SEALKIT_API int IsEncrypted(const char* name) {
    if (!name) {
        MyAfxMessageBox("空文件名，该文件被忽略。", 0);
        return 0;
    }
    size_t len = std::strlen(name);
    return len >= 3 && std::strcmp(name + len - 3, "dwf") == 0;
}

SEALKIT_API int DeleFile(const char* file, const char* mustExist) {
    if (!file || !mustExist) return 0;
    MakeNormal(file);
    struct stat st;
    if (::stat(mustExist, &st) != 0) return 0;
    // 1 means the file is gone; a file that could not be removed is not reported as deleted.
    return ::unlink(file) == 0 || errno == ENOENT;
}

SEALKIT_API void GetFileInfo(void) {}

SEALKIT_API int MyAfxMessageBox(const char* text, unsigned type) {
    return sealkit::ShowBox(text ? text : "", sealkit::kToolCaption, type);
}

SEALKIT_API int SeparatePathName(const char* path, char* folder, char* name) {
    if (folder) folder[0] = '\0';
    if (name) name[0] = '\0';
    if (!path || !folder || !name) return 1;
    size_t len = ::strnlen(path, SEALKIT_MAX_PATH - 1);
    const char* last = nullptr;
    for (size_t i = 0; i < len; ++i)
        if (path[i] == '/') last = path + i;
    if (!last) {
        std::memcpy(name, path, len);
        name[len] = '\0';
        return 1;
    }
    size_t k = static_cast<size_t>(last - path);
    std::memcpy(folder, path, k);
    folder[k] = '\0';
    size_t rest = len - k - 1;
    std::memcpy(name, last + 1, rest);
    name[rest] = '\0';
    return 1;
}
