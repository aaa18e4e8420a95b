#pragma once
// The file functions on paths held as strings, for the path-level exports. A path
// that is empty or does not fit SEALKIT_MAX_PATH fails at its open step.
#include "platform/byte_ranges.h"

#include <string>
#include <vector>

namespace sealkit {

// With `written` (keyed only), the bytes in which `source` differs from what the
// existing `destination` encrypts (see EncryptWorkingCopy).
int EncryptFile(const std::string& source, const std::string& destination, const char* key,
                const std::vector<platform::ByteRange>* written = nullptr);
// `destination` is used as given (NvDecryptFile makes it end in "dbf" first).
int DecryptFile(const std::string& source, const std::string& destination, const char* key);

// A caller's path argument: empty for null, cut to SEALKIT_MAX_PATH bytes (and so
// too long) when it does not end within them.
std::string PathArgument(const char* path);

} // namespace sealkit
