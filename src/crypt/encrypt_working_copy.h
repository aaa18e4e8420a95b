#pragma once
// A C++ entry beside the C exports: NvEncrypt for a working copy whose writes since
// its decryption are known, so that only those bytes are encrypted again.
#include "platform/byte_ranges.h"

#include <vector>

namespace sealkit {

// As NvEncrypt(path, key). When the encrypted file is there, `written` must cover
// every byte in which the working copy differs from what the encrypted file holds
// (bytes past the encrypted file's end always count as differing): only those are
// encrypted and patched into it, with the undo file of a patch. Otherwise, or when
// that way fails, the copy is encrypted as NvEncrypt does it.
__attribute__((visibility("default"))) int
EncryptWorkingCopy(char* path, const char* key, const std::vector<platform::ByteRange>& written);

} // namespace sealkit
