// NvEncryptFile, NvDecryptFile and RELEASE. The destination is written to a
// temporary file beside it and renamed over it only when complete, so a failure
// never leaves a truncated file in place of a good one.
#include "crypt/file_crypt.h"

#include "crypt/file_patch.h"
#include "crypt/key_service.h"
#include "crypt/message.h"
#include "crypt/sealkit.h"
#include "platform/temp_names.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace sealkit {
namespace {

// Words of the clean-up context.
enum Word : size_t {
    kSource = 0,
    kDestination = 1,
    kProvider = 10,
    kSessionKey = 11,
    kExchangeKey = 12,
    kHash = 13,
    kBlob = 14,
    kBlobSize = 15,
    kChunk = 16,
    kChunkLength = 17,
    kChunkCapacity = 18,
    kChunkBytes = 19,
};

// The body goes through one reusable buffer of a thousand 1000-byte chunks: memory
// stays bounded, and large reads and writes keep the stream overhead small.
constexpr size_t kChunkSize = 1000;
constexpr size_t kBufferSize = 1000 * kChunkSize;
constexpr size_t kStreamBuffer = 1 << 16;
constexpr off_t kWriteBehind = 8 << 20;

bool Fits(const std::string& path) {
    return !path.empty() && path.size() < SEALKIT_MAX_PATH;
}

FILE* OpenStream(int fd, const char* mode) {
    FILE* stream = ::fdopen(fd, mode);
    if (!stream) {
        ::close(fd);
        return nullptr;
    }
    std::setvbuf(stream, nullptr, _IOFBF, kStreamBuffer);
    return stream;
}

// One run of a file function: its clean-up context and its temporary destination.
class FileJob {
public:
    FileJob() = default;
    FileJob(const FileJob&) = delete;
    FileJob& operator=(const FileJob&) = delete;
    ~FileJob() {
        RELEASE(context_);
        if (!temp_.empty()) ::unlink(temp_.c_str());
    }

    uintptr_t& operator[](Word word) { return context_.word[word]; }
    FILE* Source() { return reinterpret_cast<FILE*>(context_.word[kSource]); }
    FILE* Destination() { return reinterpret_cast<FILE*>(context_.word[kDestination]); }

    bool OpenSource(const std::string& path) {
        if (!Fits(path)) return false;
        int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return false;
        struct stat st;
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            return false;
        }
        sourceSize_ = static_cast<unsigned long long>(st.st_size);
        FILE* stream = OpenStream(fd, "rb");
        context_.word[kSource] = reinterpret_cast<uintptr_t>(stream);
        return stream != nullptr;
    }

    // A fresh private temporary file in the destination's folder, so an existing
    // read-only destination is replaced too. Its name marks it as a leftover to remove
    // should the process be killed before the rename.
    bool OpenDestination(const std::string& path) {
        if (!Fits(path) || path.back() == '/') return false;
        struct stat st;
        if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return false;
        size_t slash = path.rfind('/');
        std::string folder = slash == std::string::npos ? "./" : path.substr(0, slash + 1);
        std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
        unsigned long seed = 0;
        if (::getrandom(&seed, sizeof seed, 0) != sizeof seed) seed = ::getpid();
        for (int attempt = 0; attempt < 100; ++attempt) {
            char tag[platform::kTempTagLength + 1];
            std::snprintf(tag, sizeof tag, "%06lx", (seed + attempt * 7919u) & 0xffffff);
            std::string temp = folder + "." + base + platform::kTempMark + tag;
            int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            if (fd < 0 && errno == EEXIST) continue;
            if (fd < 0) return false;
            temp_ = temp;
            target_ = path;
            FILE* stream = OpenStream(fd, "wb");
            context_.word[kDestination] = reinterpret_cast<uintptr_t>(stream);
            return stream != nullptr;
        }
        return false;
    }

    // Flushes, syncs and closes the temporary file and renames it over the target.
    bool Commit() {
        FILE* stream = Destination();
        context_.word[kDestination] = 0;
        bool ok =
            std::fflush(stream) == 0 && !std::ferror(stream) && ::fsync(::fileno(stream)) == 0;
        ok = std::fclose(stream) == 0 && ok;
        if (!ok || ::rename(temp_.c_str(), target_.c_str()) != 0) return false;
        temp_.clear();
        return true;
    }

    // Allocates a buffer into a context word (freed by RELEASE).
    uint8_t* Allocate(Word word, size_t size) {
        void* buffer = std::malloc(size ? size : 1);
        context_.word[word] = reinterpret_cast<uintptr_t>(buffer);
        return static_cast<uint8_t*>(buffer);
    }

    unsigned long long SourceSize() const { return sourceSize_; }

private:
    SealkitContext context_{};
    std::string temp_;
    std::string target_;
    unsigned long long sourceSize_ = 0;
};

int Failed(const char* text) {
    Fail(text);
    return 0;
}

// Keyed variant: the RC4 key derived from the MD5 of the key string's bytes.
// `messages` are the texts of creating the hash, hashing and deriving.
bool DeriveFromKeyString(FileJob& job, const char* key, const char* const messages[3]) {
    job[kHash] = CreateHash(job[kProvider]);
    if (!job[kHash]) return Failed(messages[0]);
    if (!HashData(job[kHash], key, std::strlen(key))) return Failed(messages[1]);
    job[kSessionKey] = DeriveKey(job[kProvider], job[kHash]);
    if (!job[kSessionKey]) return Failed(messages[2]);
    Destroy(job[kHash]);
    job[kHash] = 0;
    return true;
}

// Fills the chunk buffer from the source; the count goes to its word.
size_t ReadChunks(FileJob& job) {
    size_t n = std::fread(reinterpret_cast<uint8_t*>(job[kChunk]), 1, kBufferSize, job.Source());
    job[kChunkBytes] = n;
    return n;
}

// The chunk loop shared by both directions: one key stream over the whole body.
int CryptBody(FileJob& job, const char* readError, const char* cryptError, const char* writeError) {
    uint8_t* chunk = reinterpret_cast<uint8_t*>(job[kChunk]);
    size_t n = ReadChunks(job);
    off_t written = 0, flushed = 0;
    for (;;) {
        if (std::ferror(job.Source())) return Failed(readError);
        bool end = std::feof(job.Source()) != 0;
        if (!Crypt(job[kSessionKey], end, chunk, n)) return Failed(cryptError);
        if (n) std::fwrite(chunk, 1, n, job.Destination());
        if (std::ferror(job.Destination())) return Failed(writeError);
        if (end) return job.Commit() ? 1 : Failed(writeError);
        // The disk starts on what is written while the rest is made, so the
        // closing sync has little left to wait for.
        written += static_cast<off_t>(n);
        if (written - flushed >= kWriteBehind && std::fflush(job.Destination()) == 0) {
            ::sync_file_range(::fileno(job.Destination()), flushed, written - flushed,
                              SYNC_FILE_RANGE_WRITE);
            flushed = written;
        }
        n = ReadChunks(job);
    }
}

// Blocks compared between the old encrypted file and the new encryption. A change
// to a few records rewrites those blocks; past a quarter of the file the whole is
// written anew instead.
constexpr size_t kPatchBlock = 4096;

// Reads up to `size` bytes at `offset`; fewer only at the end of the file.
ssize_t ReadAt(int fd, uint8_t* data, size_t size, uint64_t offset) {
    size_t done = 0;
    while (done < size) {
        ssize_t n = ::pread(fd, data + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    return static_cast<ssize_t>(done);
}

// The derived key of a patch of an encrypted file: 1 made, 0 failed after the
// library's message, -1 when no provider serves (the file is then written whole).
int StartKeyedPatch(FileJob& job, const char* key) {
    job[kProvider] = AcquireProvider();
    if (!job[kProvider]) return -1;
    EnsureStoredKey(job[kProvider]);
    static const char* const messages[3] = {"加密过程中出错，无法完成操作！",
                                            "加密出错，无法完成操作！",
                                            "创建密钥失败，无法完成加密！"};
    return DeriveFromKeyString(job, key, messages) ? 1 : 0;
}

// Opens the source of a patch of `destination`, an existing file of *oldSize bytes.
bool OpenPatch(FileJob& job, const std::string& source, const std::string& destination,
               uint64_t* oldSize) {
    struct stat st;
    if (!Fits(destination) || ::stat(destination.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    *oldSize = static_cast<uint64_t>(st.st_size);
    return job.OpenSource(source);
}

// Encrypts `source` over `destination`, an earlier encryption under the same key
// string, by writing only the blocks that differ. The result is byte for byte what
// a whole encryption gives. 1 done, 0 failed after the library's message, -1 when
// this way does not serve (no earlier file, too much changed, a file that cannot be
// written where it is): the caller then writes the file whole.
int EncryptChanges(const std::string& source, const std::string& destination, const char* key) {
    FileJob job;
    uint64_t oldSize = 0;
    if (!OpenPatch(job, source, destination, &oldSize)) return -1;
    const uint64_t limit = std::max<uint64_t>(oldSize, job.SourceSize()) / 4;
    if (const int keyed = StartKeyedPatch(job, key); keyed != 1) return keyed;
    uint8_t* chunk = job.Allocate(kChunk, kBufferSize);
    std::vector<uint8_t> old(kBufferSize);
    if (!chunk) return -1;
    int fd = ::open(destination.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return -1;
    std::vector<FilePatch> patches;
    uint64_t offset = 0, changed = 0;
    for (;;) {
        const size_t n = ReadChunks(job);
        if (std::ferror(job.Source())) break;
        Crypt(job[kSessionKey], false, chunk, n);
        const ssize_t got = ReadAt(fd, old.data(), n, offset);
        if (got < 0) break;
        for (size_t at = 0; at < n; at += kPatchBlock) {
            const size_t length = std::min(kPatchBlock, n - at);
            const size_t before =
                at < static_cast<size_t>(got) ? std::min(length, static_cast<size_t>(got) - at) : 0;
            if (before == length && std::memcmp(chunk + at, old.data() + at, length) == 0) continue;
            FilePatch patch;
            patch.offset = offset + at;
            patch.bytes.assign(reinterpret_cast<const char*>(chunk + at), length);
            patch.old.assign(reinterpret_cast<const char*>(old.data() + at), before);
            patches.push_back(std::move(patch));
            changed += length;
        }
        offset += n;
        if (changed > limit) break;
        if (n < kBufferSize) {
            ::close(fd);
            return PatchFile(destination, patches, oldSize, offset) ? 1 : -1;
        }
    }
    ::close(fd);
    return -1;
}

// Encrypts over `destination` just the bytes of `source` in `written` and those
// past the destination's end, the caller knowing that no other byte differs from
// what `destination` encrypts. Results as EncryptChanges.
int EncryptWritten(const std::string& source, const std::string& destination, const char* key,
                   std::vector<platform::ByteRange> written) {
    FileJob job;
    uint64_t oldSize = 0;
    if (!OpenPatch(job, source, destination, &oldSize)) return -1;
    const uint64_t newSize = job.SourceSize();
    if (newSize > oldSize) written.push_back(platform::ByteRange{oldSize, newSize - oldSize});
    written = platform::MergeRanges(std::move(written), newSize);
    uint64_t total = 0;
    for (const platform::ByteRange& range : written)
        total += range.length;
    if (total > std::max(oldSize, newSize) / 4) return -1;
    if (const int keyed = StartKeyedPatch(job, key); keyed != 1) return keyed;
    int fd = ::open(destination.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return -1;
    const int plain = ::fileno(job.Source());
    std::vector<FilePatch> patches;
    std::vector<uint8_t> bytes;
    for (const platform::ByteRange& range : written) {
        bytes.resize(static_cast<size_t>(range.length));
        const uint64_t before =
            range.offset < oldSize ? std::min(range.length, oldSize - range.offset) : 0;
        FilePatch patch;
        patch.offset = range.offset;
        patch.old.resize(static_cast<size_t>(before));
        if (ReadAt(plain, bytes.data(), bytes.size(), range.offset) !=
                static_cast<ssize_t>(bytes.size()) ||
            ReadAt(fd, reinterpret_cast<uint8_t*>(&patch.old[0]), patch.old.size(), range.offset) !=
                static_cast<ssize_t>(patch.old.size()) ||
            !CryptAt(job[kSessionKey], range.offset, bytes.data(), bytes.size())) {
            ::close(fd);
            return -1;
        }
        patch.bytes.assign(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        patches.push_back(std::move(patch));
    }
    ::close(fd);
    std::fill(bytes.begin(), bytes.end(), 0);
    return PatchFile(destination, patches, oldSize, newSize) ? 1 : -1;
}

} // namespace

std::string PathArgument(const char* path) {
    if (!path) return std::string();
    return std::string(path, ::strnlen(path, SEALKIT_MAX_PATH));
}

int EncryptFile(const std::string& source, const std::string& destination, const char* key,
                const std::vector<platform::ByteRange>* written) {
    if (Fits(destination) && !RestoreInterruptedPatch(destination))
        return Failed("创建目标文件出错!");
    if (key) {
        int done = written ? EncryptWritten(source, destination, key, *written) : -1;
        if (done < 0) done = EncryptChanges(source, destination, key);
        if (done >= 0) return done;
        // What a failed patch could not put back must not outlive the new file.
        if (Fits(destination) && !RestoreInterruptedPatch(destination))
            return Failed("创建目标文件出错!");
    }
    FileJob job;
    if (!job.OpenSource(source)) return Failed("打开源文件出错!");
    job[kProvider] = AcquireProvider();
    if (!job[kProvider]) return Failed("创建目标文件出错!");
    EnsureStoredKey(job[kProvider]);
    if (!job.OpenDestination(destination)) return Failed("创建目标文件出错!");

    if (key) {
        static const char* const messages[3] = {"加密过程中出错，无法完成操作！",
                                                "加密出错，无法完成操作！",
                                                "创建密钥失败，无法完成加密！"};
        if (!DeriveFromKeyString(job, key, messages)) return 0;
    } else {
        SEALKIT_HANDLE exchange = 0;
        if (!GetEncryptPublicKey(job[kProvider], &exchange)) Fail("创建密钥失败!");
        job[kExchangeKey] = exchange ? exchange : GetUserKey(job[kProvider], false);
        if (!job[kExchangeKey]) return Failed("公用密钥可能不存在!");
        job[kSessionKey] = GenerateKey(job[kProvider]);
        if (!job[kSessionKey]) return Failed("加密出错!");
        job[kBlobSize] = BlobSize(job[kSessionKey], job[kExchangeKey]);
        if (!job[kBlobSize]) return Failed("创建密钥出错，无法完成加密！");
        uint8_t* blob = job.Allocate(kBlob, job[kBlobSize]);
        if (!blob) return Failed("内存不够，无法完成加密！");
        if (!ExportKey(job[kSessionKey], job[kExchangeKey], blob, job[kBlobSize]))
            return Failed("创建密钥出错，无法完成加密！");
        Destroy(job[kExchangeKey]);
        job[kExchangeKey] = 0;
        uint8_t length[4];
        for (int i = 0; i < 4; ++i)
            length[i] = static_cast<uint8_t>(job[kBlobSize] >> (8 * i));
        if (std::fwrite(length, 1, 4, job.Destination()) != 4)
            return Failed("写文件头出错，加密失败！");
        if (std::fwrite(blob, 1, job[kBlobSize], job.Destination()) != job[kBlobSize])
            return Failed("写文件头出错，无法完成加密！");
    }

    if (!job.Allocate(kChunk, kBufferSize)) return Failed("内存不够，无法完成加密！");
    job[kChunkLength] = kChunkSize;
    job[kChunkCapacity] = kBufferSize;
    return CryptBody(job, "读取文件出错，加密失败。", "内部错误，加密失败。",
                     "写文件错误，加密失败。");
}

int DecryptFile(const std::string& source, const std::string& destination, const char* key) {
    if (Fits(source) && !RestoreInterruptedPatch(source)) return Failed("无法打开源文件。");
    FileJob job;
    if (!job.OpenSource(source)) return Failed("无法打开源文件。");
    if (!job.OpenDestination(destination)) return Failed("无法创建目标文件。");
    job[kProvider] = AcquireProvider();
    if (!job[kProvider]) return Failed("创建目标文件出错!");
    EnsureStoredKey(job[kProvider]);

    if (key) {
        static const char* const messages[3] = {
            "内部错误，没能完成解密。", "内部错误，解密操作失败。", "执行过程出错，解密失败。"};
        if (!DeriveFromKeyString(job, key, messages)) return 0;
    } else {
        uint8_t length[4];
        if (std::fread(length, 1, 4, job.Source()) != 4) return Failed("读文件头出错，解密失败。");
        job[kBlobSize] = uint32_t(length[0]) | uint32_t(length[1]) << 8 |
                         uint32_t(length[2]) << 16 | uint32_t(length[3]) << 24;
        // A stated length past the end is a bad header, found before allocating it.
        if (job[kBlobSize] > job.SourceSize() - 4) return Failed("文件头错误，解密失败。");
        uint8_t* blob = job.Allocate(kBlob, job[kBlobSize]);
        if (!blob) return Failed("内存错误，解密失败。");
        if (std::fread(blob, 1, job[kBlobSize], job.Source()) != job[kBlobSize])
            return Failed("文件头错误，解密失败。");
        job[kSessionKey] = ImportKey(job[kProvider], blob, job[kBlobSize]);
        if (!job[kSessionKey]) return Failed("内部错误，解密失败。");
    }

    if (!job.Allocate(kChunk, kBufferSize)) return Failed("内存不够，解密失败。");
    job[kChunkLength] = kChunkSize;
    job[kChunkCapacity] = kBufferSize;
    return CryptBody(job, "读文件出错，解密失败。", "解密过程出错，解密失败。",
                     "写文件错误，解密失败。");
}

} // namespace sealkit

using namespace sealkit;

SEALKIT_API int NvEncryptFile(const char* source, const char* destination, const char* key) {
    return EncryptFile(PathArgument(source), PathArgument(destination), key);
}

SEALKIT_API int NvDecryptFile(const char* source, char* destination, const char* key) {
    std::string target = PathArgument(destination);
    if (Fits(target)) {
        GetExName(nullptr, destination);
        target = destination;
    }
    return DecryptFile(PathArgument(source), target, key);
}

SEALKIT_API int RELEASE(SealkitContext context) {
    auto word = [&](Word w) { return context.word[w]; };
    if (word(kSource)) std::fclose(reinterpret_cast<FILE*>(word(kSource)));
    if (word(kDestination)) std::fclose(reinterpret_cast<FILE*>(word(kDestination)));
    if (word(kChunk)) std::free(reinterpret_cast<void*>(word(kChunk)));
    if (word(kBlob)) std::free(reinterpret_cast<void*>(word(kBlob)));
    Destroy(word(kSessionKey));
    Destroy(word(kExchangeKey));
    Destroy(word(kHash));
    Destroy(word(kProvider));
    return 0;
}
