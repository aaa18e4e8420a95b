#pragma once
// The key service behind SEALKIT_HANDLE: providers (a user's key store), MD5 hash
// objects, RC4 keys and key-exchange pairs, with the operations the file functions
// perform step by step. Every handle is a number of our own, checked on use, so a
// stale or foreign handle fails instead of crashing. Results of 0 or false mean
// the step failed.
#include "crypt/sealkit.h"

#include <cstddef>
#include <cstdint>

namespace sealkit {

// The current user's key store; 0 when its folder cannot be made.
SEALKIT_HANDLE AcquireProvider();
SEALKIT_HANDLE CreateHash(SEALKIT_HANDLE provider);
bool HashData(SEALKIT_HANDLE hash, const void* data, size_t size);
// The RC4 key of a hash value: its first five bytes and a zero salt, 16 bytes in all.
SEALKIT_HANDLE DeriveKey(SEALKIT_HANDLE provider, SEALKIT_HANDLE hash);
// What the file functions need of GetfnKey: the user's stored key exists afterwards.
// A store that holds the pair and the key already is only read, not opened with the
// pair (an RSA decryption per file, the larger part of decrypting a small table).
void EnsureStoredKey(SEALKIT_HANDLE provider);
// A random 16-byte RC4 session key.
SEALKIT_HANDLE GenerateKey(SEALKIT_HANDLE provider);
// The user's key-exchange pair; with `create`, generated and stored when missing.
SEALKIT_HANDLE GetUserKey(SEALKIT_HANDLE provider, bool create);
// SIMPLEBLOB of an RC4 key under a key-exchange key: size, then the bytes.
size_t BlobSize(SEALKIT_HANDLE key, SEALKIT_HANDLE exchangeKey);
bool ExportKey(SEALKIT_HANDLE key, SEALKIT_HANDLE exchangeKey, uint8_t* blob, size_t size);
// Opens a SIMPLEBLOB with the provider's own key-exchange pair.
SEALKIT_HANDLE ImportKey(SEALKIT_HANDLE provider, const uint8_t* blob, size_t size);
// RC4 in place on one continuous key stream; `final` starts the stream afresh
// for the next message.
bool Crypt(SEALKIT_HANDLE key, bool final, uint8_t* data, size_t size);
// A derived key's stream from `offset` on, in place; false for other keys.
bool CryptAt(SEALKIT_HANDLE key, uint64_t offset, uint8_t* data, size_t size);
// Destroys a key or hash, or releases a provider; 0 is ignored.
void Destroy(SEALKIT_HANDLE handle);

} // namespace sealkit
