// libFuzzer targets of sealkit's readers of outside data: the header of an encrypted
// file (with a sound key store), and the key store file itself. Built twice, as
// crypt_header_fuzz and keystore_fuzz (QV_FUZZ_KEY_STORE).
#include "crypt/sealkit.h"
#include "fuzz_folder.h"
#include "platform/message_box.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

std::string Config() {
    return fuzz::Folder() + "/config";
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    ::setenv("XDG_CONFIG_HOME", Config().c_str(), 1);
    platform::SetMessageBoxHandler(
        [](const std::string&, const std::string&, unsigned) { return platform::IDOK; });
    // The first encryption makes the user's key pair.
    const std::string plain = fuzz::Write("plain.dbf", "rows");
    NvEncryptFile(plain.c_str(), (fuzz::Folder() + "/sealed.dwf").c_str(), nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    char target[SEALKIT_MAX_PATH];
#ifdef QV_FUZZ_KEY_STORE
    static std::string sound;
    if (sound.empty()) platform::ReadFileBytes(Config() + "/qv/sealkit.keys", sound);
    platform::WriteFileAtomic(Config() + "/qv/sealkit.keys", bytes);
    const std::string sealed = fuzz::Folder() + "/sealed.dwf";
    std::snprintf(target, sizeof target, "%s/opened.dwf", fuzz::Folder().c_str());
    NvDecryptFile(sealed.c_str(), target, nullptr);
    NvEncryptFile((fuzz::Folder() + "/plain.dbf").c_str(), sealed.c_str(), nullptr);
    platform::WriteFileAtomic(Config() + "/qv/sealkit.keys", sound);
#else
    const std::string sealed = fuzz::Write("in.dwf", bytes);
    std::snprintf(target, sizeof target, "%s/out.dwf", fuzz::Folder().c_str());
    NvDecryptFile(sealed.c_str(), target, nullptr);
    NvDecryptFile(sealed.c_str(), target, "qz19990412kelp@_31774");
#endif
    return 0;
}
