#pragma once
// The RC4 key stream of a derived key, kept once made. A derived key comes from a
// fixed key string, so every file under it is XORed with the same stream; keeping
// the stream lets later files be done at memory speed instead of running RC4 again.
#include <cstddef>
#include <cstdint>
#include <memory>

namespace sealkit {

class KeyStream;

// The shared stream of a 16-byte RC4 key (one per key for the process's life).
std::shared_ptr<KeyStream> SharedKeyStream(const uint8_t key[16]);

// A position in a shared stream: what one file is encrypted or decrypted with.
class KeyStreamCursor {
public:
    explicit KeyStreamCursor(std::shared_ptr<KeyStream> stream);
    ~KeyStreamCursor();
    KeyStreamCursor(const KeyStreamCursor&) = delete;
    KeyStreamCursor& operator=(const KeyStreamCursor&) = delete;

    // XORs `data` with the stream from the cursor on and moves the cursor past it.
    void Apply(uint8_t* data, size_t size);
    // Back to the stream's start, for the next file.
    void Restart();
    // To `position` bytes into the stream, for a part of a file.
    void Seek(uint64_t position);

private:
    struct Beyond;
    // Past the kept blocks: RC4 from the state kept at the start of position_'s block.
    void RunFromKeptState();
    std::shared_ptr<KeyStream> stream_;
    uint64_t position_ = 0;
    std::unique_ptr<Beyond> beyond_; // RC4 run on past what the stream keeps
};

} // namespace sealkit
