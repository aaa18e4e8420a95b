// Placeholder until the file functions land.
#include "crypt/sealkit.h"
SEALKIT_API int NvEncrypt(char*, const char*) { return 0; }
SEALKIT_API int NvDecrypt(const char*, const char*) { return 0; }
