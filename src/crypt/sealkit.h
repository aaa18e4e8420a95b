#pragma once
// The exports of sealkit, the file-encryption library. Strings are the caller's
// narrow strings (file paths as the file system names them, key strings as bytes);
// every buffer a function writes into must hold SEALKIT_MAX_PATH bytes.
#include <stdint.h>

#define SEALKIT_MAX_PATH 260
#define SEALKIT_API extern "C" __attribute__((visibility("default")))

// Handles of the key service: providers, keys and hashes. A provider handle of 0
// given to GetfnKey or GetEncryptPublicKey stands for the current user's key store;
// key handles are the caller's and are freed by RELEASE (words 11 and 12).
typedef uintptr_t SEALKIT_HANDLE;

// The clean-up context of the file functions: 21 words, passed by value to RELEASE.
struct SealkitContext {
    uintptr_t word[21];
};

SEALKIT_API int DeleFile(const char* file, const char* mustExist);
SEALKIT_API int NvDecrypt(const char* path, const char* key);
SEALKIT_API int NvDecryptFile(const char* source, char* destination, const char* key);
SEALKIT_API int NvEncrypt(char* path, const char* key);
SEALKIT_API int NvEncryptFile(const char* source, const char* destination, const char* key);
SEALKIT_API int GetEncryptPublicKey(SEALKIT_HANDLE provider, SEALKIT_HANDLE* key);
SEALKIT_API int GetExName(const char* unused, char* name);
SEALKIT_API void GetFileInfo(void);
SEALKIT_API SEALKIT_HANDLE GetfnKey(SEALKIT_HANDLE provider);
SEALKIT_API int GreateExName(const char* unused, char* name);
SEALKIT_API int IsEncrypted(const char* name);
SEALKIT_API int MyAfxMessageBox(const char* text, unsigned type);
SEALKIT_API int RELEASE(SealkitContext context);
SEALKIT_API int SeparatePathName(const char* path, char* folder, char* name);
