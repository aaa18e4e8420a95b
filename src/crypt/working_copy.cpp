// NvEncrypt, EncryptWorkingCopy and NvDecrypt: a table's path in an account set's
// folder maps to its plain working copy in the system directory,
// <sysdir>/Data/<last folder>/<name>.
#include "crypt/encrypt_working_copy.h"
#include "crypt/file_crypt.h"
#include "crypt/message.h"
#include "crypt/sealkit.h"
#include "platform/system_dir.h"

#include <cstring>
#include <sys/stat.h>

namespace {

std::string WorkingCopyPath(const std::string& path) {
    char folder[SEALKIT_MAX_PATH], name[SEALKIT_MAX_PATH];
    char parent[SEALKIT_MAX_PATH], last[SEALKIT_MAX_PATH];
    SeparatePathName(path.c_str(), folder, name);
    SeparatePathName(folder, parent, last);
    // No private folder, no plain copy: the empty path fails every file call.
    std::string system = platform::SystemDirectory();
    return system.empty() ? system : system + "/Data/" + last + "/" + name;
}

void ReplaceExtension(std::string& path, const char* ext) {
    if (path.size() >= 3) path.replace(path.size() - 3, 3, ext);
}

// NvEncrypt, with the ranges written into the working copy when they are known.
int EncryptWorking(char* path, const char* key, const std::vector<platform::ByteRange>* written) {
    std::string plain = sealkit::PathArgument(path);
    std::string working = plain.empty() ? plain : WorkingCopyPath(plain);
    // The caller's buffer gets the working copy's path; it must fit.
    if (working.empty() || plain.size() >= SEALKIT_MAX_PATH || working.size() >= SEALKIT_MAX_PATH) {
        sealkit::Fail("打开源文件出错!");
        return 0;
    }
    std::memcpy(path, working.c_str(), working.size() + 1);
    std::string encrypted = plain;
    ReplaceExtension(encrypted, "dwf");
    // A .dwf inside the working folder would be its own working copy, deleted below.
    if (encrypted == working) {
        sealkit::Fail("创建目标文件出错!");
        return 0;
    }
    if (!sealkit::EncryptFile(working, encrypted, key, written)) return 0;
    struct stat st;
    if (::stat(encrypted.c_str(), &st) == 0) ::chmod(encrypted.c_str(), st.st_mode & 07555);
    return DeleFile(working.c_str(), encrypted.c_str());
}

} // namespace

int sealkit::EncryptWorkingCopy(char* path, const char* key,
                                const std::vector<platform::ByteRange>& written) {
    return EncryptWorking(path, key, &written);
}

SEALKIT_API int NvEncrypt(char* path, const char* key) {
    return EncryptWorking(path, key, nullptr);
}

SEALKIT_API int NvDecrypt(const char* path, const char* key) {
    if (!IsEncrypted(path)) {
        sealkit::Fail("不能用于非本系统加密的文件！");
        return 0;
    }
    std::string encrypted = sealkit::PathArgument(path);
    std::string working = WorkingCopyPath(encrypted);
    ReplaceExtension(working, "dbf");
    // A failure leaves any earlier working copy as it was: nothing partial was written.
    return sealkit::DecryptFile(encrypted, working, key);
}
