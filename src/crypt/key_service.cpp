// The key service and the two key exports. Keys of the keyed variant must give
// the same RC4 stream as the original provider's 40-bit derived keys; everything
// per user (the exchange pair, the stored RC4 key) lives in the key store.
#include "crypt/key_service.h"

#include "crypt/key_store.h"
#include "crypt/key_stream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iterator>
#include <memory>
#include <mutex>
#include <nettle/arcfour.h>
#include <nettle/bignum.h>
#include <nettle/md5.h>
#include <nettle/rsa.h>
#include <string>
#include <sys/random.h>
#include <unordered_map>
#include <vector>

namespace sealkit {
namespace {

constexpr size_t kRc4KeySize = 16;       // key bytes plus zero salt
constexpr size_t kDerivedKeyBytes = 5;   // the provider's default RC4 key: 40 bits
constexpr unsigned kExchangeBits = 2048; // size of a new key-exchange modulus
constexpr size_t kMaxStoredBlob = 1000;  // the largest "fnKey" value accepted

// SIMPLEBLOB layout: type, version, two reserved bytes, the key's algorithm, the
// exchange algorithm, then the PKCS#1 v1.5 encrypted key, least significant byte first.
constexpr uint8_t kSimpleBlob = 1;
constexpr uint8_t kBlobVersion = 2;
constexpr uint32_t kAlgRc4 = 0x6801;
constexpr uint32_t kAlgRsaKeyExchange = 0xa400;
constexpr size_t kBlobHeaderSize = 12;

const char* const kFnKey = "fnKey";
const char* const kRsaParts[] = {"exchange-n", "exchange-e", "exchange-d", "exchange-p",
                                 "exchange-q", "exchange-a", "exchange-b", "exchange-c"};

void Random(void*, size_t length, uint8_t* dst) {
    while (length > 0) {
        ssize_t n = ::getrandom(dst, length, 0);
        if (n < 0) {
            if (errno == EINTR) continue;
            std::abort(); // no randomness: never make keys from anything else
        }
        dst += n;
        length -= static_cast<size_t>(n);
    }
}

struct Object {
    virtual ~Object() = default;
};

struct Provider : Object {
    std::string folder;
};

struct Hash : Object {
    md5_ctx md5;
    Hash() { md5_init(&md5); }
};

struct Rc4Key : Object {
    uint8_t key[kRc4KeySize] = {};
    arcfour_ctx stream;
    // A derived key's stream is kept for the next file under the same key string.
    std::unique_ptr<KeyStreamCursor> kept;
    // Key bytes completed by a zero salt to 16 bytes.
    explicit Rc4Key(const uint8_t* bytes, size_t size) {
        std::memcpy(key, bytes, std::min(size, kRc4KeySize));
        Restart();
    }
    ~Rc4Key() override {
        std::memset(key, 0, sizeof key);
        std::memset(&stream, 0, sizeof stream);
    }
    void Restart() {
        if (kept)
            kept->Restart();
        else
            arcfour_set_key(&stream, kRc4KeySize, key);
    }
    void Apply(uint8_t* data, size_t size) {
        if (kept)
            kept->Apply(data, size);
        else
            arcfour_crypt(&stream, size, data, data);
    }
};

struct ExchangeKey : Object {
    rsa_public_key pub;
    rsa_private_key priv;
    ExchangeKey() {
        rsa_public_key_init(&pub);
        rsa_private_key_init(&priv);
    }
    ~ExchangeKey() override {
        rsa_public_key_clear(&pub);
        rsa_private_key_clear(&priv);
    }
    mpz_t* parts[8] = {&pub.n, &pub.e, &priv.d, &priv.p, &priv.q, &priv.a, &priv.b, &priv.c};
};

std::mutex g_mutex;
std::unordered_map<SEALKIT_HANDLE, std::unique_ptr<Object>> g_objects;
SEALKIT_HANDLE g_next = 1;

SEALKIT_HANDLE Register(std::unique_ptr<Object> object) {
    if (!object) return 0;
    std::lock_guard<std::mutex> lock(g_mutex);
    SEALKIT_HANDLE handle = g_next++;
    g_objects[handle] = std::move(object);
    return handle;
}

template <class T> T* Find(SEALKIT_HANDLE handle) {
    std::lock_guard<std::mutex> lock(g_mutex);
    auto it = g_objects.find(handle);
    return it == g_objects.end() ? nullptr : dynamic_cast<T*>(it->second.get());
}

// The store folder of a provider handle; 0 stands for the current user's store.
std::string FolderOf(SEALKIT_HANDLE provider) {
    if (provider == 0) return KeyFolder();
    const Provider* p = Find<Provider>(provider);
    return p ? p->folder : std::string();
}

std::unique_ptr<ExchangeKey> LoadExchangeKey(const KeyStore& store) {
    auto key = std::make_unique<ExchangeKey>();
    for (size_t i = 0; i < 8; ++i) {
        std::string bytes = store.Get(kRsaParts[i]);
        if (bytes.empty()) return nullptr;
        nettle_mpz_set_str_256_u(*key->parts[i], bytes.size(),
                                 reinterpret_cast<const uint8_t*>(bytes.data()));
    }
    if (!rsa_public_key_prepare(&key->pub) || !rsa_private_key_prepare(&key->priv) ||
        key->pub.size != key->priv.size)
        return nullptr;
    return key;
}

std::unique_ptr<ExchangeKey> CreateExchangeKey(KeyStore& store) {
    auto key = std::make_unique<ExchangeKey>();
    mpz_set_ui(key->pub.e, 65537);
    if (!rsa_generate_keypair(&key->pub, &key->priv, nullptr, Random, nullptr, nullptr,
                              kExchangeBits, 0))
        return nullptr;
    for (size_t i = 0; i < 8; ++i) {
        std::string bytes(nettle_mpz_sizeinbase_256_u(*key->parts[i]), '\0');
        nettle_mpz_get_str_256(bytes.size(), reinterpret_cast<uint8_t*>(bytes.data()),
                               *key->parts[i]);
        store.Set(kRsaParts[i], bytes);
    }
    return store.Save() ? std::move(key) : nullptr;
}

// The user's pair from a loaded store; generated and stored only when the store
// has none (a damaged store is never replaced).
std::unique_ptr<ExchangeKey> UserKey(KeyStore& store, bool create) {
    bool missing = true;
    for (const char* part : kRsaParts)
        missing = missing && !store.Has(part);
    if (missing) return create ? CreateExchangeKey(store) : nullptr;
    return LoadExchangeKey(store);
}

std::vector<uint8_t> MakeBlob(const Rc4Key& key, const ExchangeKey& exchange) {
    std::vector<uint8_t> blob;
    mpz_t cipher;
    mpz_init(cipher);
    if (rsa_encrypt(&exchange.pub, nullptr, Random, kRc4KeySize, key.key, cipher)) {
        size_t size = exchange.pub.size;
        blob.assign(kBlobHeaderSize + size, 0);
        blob[0] = kSimpleBlob;
        blob[1] = kBlobVersion;
        for (int i = 0; i < 4; ++i) {
            blob[4 + i] = static_cast<uint8_t>(kAlgRc4 >> (8 * i));
            blob[8 + i] = static_cast<uint8_t>(kAlgRsaKeyExchange >> (8 * i));
        }
        nettle_mpz_get_str_256(size, blob.data() + kBlobHeaderSize, cipher);
        std::reverse(blob.begin() + kBlobHeaderSize, blob.end());
    }
    mpz_clear(cipher);
    return blob;
}

std::unique_ptr<Rc4Key> OpenBlob(const uint8_t* blob, size_t size, const ExchangeKey& exchange) {
    auto word = [&](size_t at) {
        return uint32_t(blob[at]) | uint32_t(blob[at + 1]) << 8 | uint32_t(blob[at + 2]) << 16 |
               uint32_t(blob[at + 3]) << 24;
    };
    if (!blob || size != kBlobHeaderSize + exchange.pub.size || blob[0] != kSimpleBlob ||
        blob[1] != kBlobVersion || word(4) != kAlgRc4 || word(8) != kAlgRsaKeyExchange)
        return nullptr;
    std::vector<uint8_t> bigEndian(blob + kBlobHeaderSize, blob + size);
    std::reverse(bigEndian.begin(), bigEndian.end());
    mpz_t cipher;
    mpz_init(cipher);
    nettle_mpz_set_str_256_u(cipher, bigEndian.size(), bigEndian.data());
    std::vector<uint8_t> plain(exchange.pub.size);
    size_t length = plain.size();
    bool ok = mpz_cmp(cipher, exchange.pub.n) < 0 &&
              rsa_decrypt_tr(&exchange.pub, &exchange.priv, nullptr, Random, &length, plain.data(),
                             cipher);
    mpz_clear(cipher);
    if (!ok || length == 0 || length > kRc4KeySize) return nullptr;
    auto key = std::make_unique<Rc4Key>(plain.data(), length);
    std::fill(plain.begin(), plain.end(), 0);
    return key;
}

std::unique_ptr<Rc4Key> NewRc4Key() {
    uint8_t bytes[kRc4KeySize];
    Random(nullptr, sizeof bytes, bytes);
    auto key = std::make_unique<Rc4Key>(bytes, sizeof bytes);
    std::memset(bytes, 0, sizeof bytes);
    return key;
}

} // namespace

SEALKIT_HANDLE AcquireProvider() {
    auto provider = std::make_unique<Provider>();
    provider->folder = KeyFolder();
    if (provider->folder.empty()) return 0;
    return Register(std::move(provider));
}

SEALKIT_HANDLE CreateHash(SEALKIT_HANDLE provider) {
    return Find<Provider>(provider) ? Register(std::make_unique<Hash>()) : 0;
}

bool HashData(SEALKIT_HANDLE hash, const void* data, size_t size) {
    Hash* h = Find<Hash>(hash);
    if (!h || (!data && size)) return false;
    md5_update(&h->md5, size, static_cast<const uint8_t*>(data));
    return true;
}

SEALKIT_HANDLE DeriveKey(SEALKIT_HANDLE provider, SEALKIT_HANDLE hash) {
    Hash* h = Find<Hash>(hash);
    if (!Find<Provider>(provider) || !h) return 0;
    md5_ctx copy = h->md5; // reading the value leaves the hash object as it was
    uint8_t digest[MD5_DIGEST_SIZE];
    md5_digest(&copy, sizeof digest, digest);
    auto key = std::make_unique<Rc4Key>(digest, kDerivedKeyBytes);
    key->kept = std::make_unique<KeyStreamCursor>(SharedKeyStream(key->key));
    return Register(std::move(key));
}

void EnsureStoredKey(SEALKIT_HANDLE provider) {
    const std::string folder = FolderOf(provider);
    if (folder.empty()) return;
    {
        KeyStore store(folder); // holds the store's lock until GetfnKey takes it
        if (store.Load() && store.Has(kFnKey) &&
            std::all_of(std::begin(kRsaParts), std::end(kRsaParts),
                        [&](const char* part) { return store.Has(part); }))
            return;
    }
    Destroy(GetfnKey(provider));
}

SEALKIT_HANDLE GenerateKey(SEALKIT_HANDLE provider) {
    return Find<Provider>(provider) ? Register(NewRc4Key()) : 0;
}

SEALKIT_HANDLE GetUserKey(SEALKIT_HANDLE provider, bool create) {
    std::string folder = FolderOf(provider);
    if (folder.empty()) return 0;
    KeyStore store(folder);
    if (!store.Load()) return 0;
    return Register(UserKey(store, create));
}

size_t BlobSize(SEALKIT_HANDLE key, SEALKIT_HANDLE exchangeKey) {
    const ExchangeKey* exchange = Find<ExchangeKey>(exchangeKey);
    return Find<Rc4Key>(key) && exchange ? kBlobHeaderSize + exchange->pub.size : 0;
}

bool ExportKey(SEALKIT_HANDLE key, SEALKIT_HANDLE exchangeKey, uint8_t* blob, size_t size) {
    const Rc4Key* k = Find<Rc4Key>(key);
    const ExchangeKey* exchange = Find<ExchangeKey>(exchangeKey);
    if (!k || !exchange || !blob) return false;
    std::vector<uint8_t> made = MakeBlob(*k, *exchange);
    if (made.empty() || made.size() > size) return false;
    std::memcpy(blob, made.data(), made.size());
    return true;
}

SEALKIT_HANDLE ImportKey(SEALKIT_HANDLE provider, const uint8_t* blob, size_t size) {
    std::string folder = FolderOf(provider);
    if (folder.empty()) return 0;
    KeyStore store(folder);
    if (!store.Load()) return 0;
    std::unique_ptr<ExchangeKey> exchange = UserKey(store, false);
    return exchange ? Register(OpenBlob(blob, size, *exchange)) : 0;
}

bool Crypt(SEALKIT_HANDLE key, bool final, uint8_t* data, size_t size) {
    Rc4Key* k = Find<Rc4Key>(key);
    if (!k || (!data && size)) return false;
    if (size) k->Apply(data, size);
    if (final) k->Restart();
    return true;
}

bool CryptAt(SEALKIT_HANDLE key, uint64_t offset, uint8_t* data, size_t size) {
    Rc4Key* k = Find<Rc4Key>(key);
    if (!k || !k->kept || (!data && size)) return false;
    k->kept->Seek(offset);
    k->kept->Apply(data, size);
    return true;
}

void Destroy(SEALKIT_HANDLE handle) {
    std::unique_ptr<Object> object;
    std::lock_guard<std::mutex> lock(g_mutex);
    auto it = g_objects.find(handle);
    if (it == g_objects.end()) return;
    object = std::move(it->second); // freed after the lock is gone
    g_objects.erase(it);
}

} // namespace sealkit

using namespace sealkit;

SEALKIT_API int GetEncryptPublicKey(SEALKIT_HANDLE provider, SEALKIT_HANDLE* key) {
    if (!key) return 0;
    *key = GetUserKey(provider, true);
    return *key != 0;
}

SEALKIT_API SEALKIT_HANDLE GetfnKey(SEALKIT_HANDLE provider) {
    std::string folder = FolderOf(provider);
    if (folder.empty()) return 0;
    KeyStore store(folder);
    if (!store.Load()) return 0;
    std::unique_ptr<ExchangeKey> exchange = UserKey(store, true);
    if (!exchange) return 0;
    if (store.Has(kFnKey)) {
        std::string blob = store.Get(kFnKey);
        if (blob.empty() || blob.size() > kMaxStoredBlob) return 0;
        return Register(
            OpenBlob(reinterpret_cast<const uint8_t*>(blob.data()), blob.size(), *exchange));
    }
    std::unique_ptr<Rc4Key> key = NewRc4Key();
    std::vector<uint8_t> blob = MakeBlob(*key, *exchange);
    if (blob.empty() || blob.size() > kMaxStoredBlob) return 0;
    store.Set(kFnKey, std::string(blob.begin(), blob.end()));
    return store.Save() ? Register(std::move(key)) : 0;
}
