#include "crypt/key_stream.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <map>
#include <mutex>
#include <nettle/arcfour.h>
#include <vector>

namespace sealkit {
namespace {

// The stream is kept in blocks made on demand, up to a bound so a huge file does
// not pin its size in memory; past the bound the cursor runs RC4 itself.
constexpr size_t kBlockSize = 1 << 20;
constexpr size_t kMaxBlocks = 256;

// Moves an RC4 state on by `size` bytes of stream, the bytes dropped.
void RunOn(arcfour_ctx& state, uint64_t size) {
    uint8_t dropped[4096];
    while (size > 0) {
        const size_t n = static_cast<size_t>(std::min<uint64_t>(sizeof dropped, size));
        std::memset(dropped, 0, n);
        arcfour_crypt(&state, n, dropped, dropped);
        size -= n;
    }
    std::memset(dropped, 0, sizeof dropped);
}

// Eight bytes at a time: a table's whole body goes through here.
void XorInto(uint8_t* data, const uint8_t* stream, size_t size) {
    size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        uint64_t a, b;
        std::memcpy(&a, data + i, 8);
        std::memcpy(&b, stream + i, 8);
        a ^= b;
        std::memcpy(data + i, &a, 8);
    }
    for (; i < size; ++i)
        data[i] ^= stream[i];
}

} // namespace

class KeyStream {
public:
    explicit KeyStream(const uint8_t key[16]) { arcfour_set_key(&next_, 16, key); }
    ~KeyStream() { std::memset(&next_, 0, sizeof next_); }

    // The block `index`, made (with all before it) when not yet there; null past the bound.
    const uint8_t* Block(size_t index) {
        if (index >= kMaxBlocks) return nullptr;
        if (index < made_.load(std::memory_order_acquire)) return blocks_[index].get();
        std::lock_guard<std::mutex> lock(mutex_);
        for (size_t i = made_.load(std::memory_order_relaxed); i <= index; ++i) {
            blocks_[i].reset(new uint8_t[kBlockSize]());
            arcfour_crypt(&next_, kBlockSize, blocks_[i].get(), blocks_[i].get());
            made_.store(i + 1, std::memory_order_release);
        }
        return blocks_[index].get();
    }

    // The RC4 state at the start of block `index`, one past the kept blocks or later.
    // Those states are kept, one a block (258 bytes a MiB), so reaching any offset of
    // a huge file runs RC4 over at most one block, not over everything before it.
    arcfour_ctx StateAt(uint64_t index) {
        Block(kMaxBlocks - 1);
        std::lock_guard<std::mutex> lock(mutex_);
        if (starts_.empty()) starts_.push_back(next_);
        while (starts_.size() <= index - kMaxBlocks) {
            arcfour_ctx state = starts_.back();
            RunOn(state, kBlockSize);
            starts_.push_back(state);
        }
        return starts_[index - kMaxBlocks];
    }

    // A cursor running RC4 on past the kept blocks reached the start of block `index`
    // in `state`: kept when it is the next one to keep, so a file read through once
    // leaves every state a later seek into it needs.
    void PassedBlockStart(uint64_t index, const arcfour_ctx& state) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!starts_.empty() && starts_.size() == index - kMaxBlocks) starts_.push_back(state);
    }

private:
    std::mutex mutex_;
    arcfour_ctx next_; // the state after the last block made
    std::array<std::unique_ptr<uint8_t[]>, kMaxBlocks> blocks_;
    std::vector<arcfour_ctx> starts_; // the states at the blocks past the kept ones
    std::atomic<size_t> made_{0};
};

std::shared_ptr<KeyStream> SharedKeyStream(const uint8_t key[16]) {
    static std::mutex mutex;
    static std::map<std::array<uint8_t, 16>, std::shared_ptr<KeyStream>> streams;
    std::array<uint8_t, 16> name;
    std::copy(key, key + 16, name.begin());
    std::lock_guard<std::mutex> lock(mutex);
    std::shared_ptr<KeyStream>& stream = streams[name];
    if (!stream) stream = std::make_shared<KeyStream>(key);
    return stream;
}

struct KeyStreamCursor::Beyond {
    arcfour_ctx state;
    ~Beyond() { std::memset(&state, 0, sizeof state); }
};

KeyStreamCursor::KeyStreamCursor(std::shared_ptr<KeyStream> stream) : stream_(std::move(stream)) {}

KeyStreamCursor::~KeyStreamCursor() = default;

void KeyStreamCursor::Apply(uint8_t* data, size_t size) {
    while (size > 0) {
        const uint8_t* block = stream_->Block(position_ / kBlockSize);
        if (!block) {
            if (!beyond_) RunFromKeptState();
            const size_t n = std::min<uint64_t>(size, kBlockSize - position_ % kBlockSize);
            arcfour_crypt(&beyond_->state, n, data, data);
            data += n;
            size -= n;
            position_ += n;
            if (position_ % kBlockSize == 0)
                stream_->PassedBlockStart(position_ / kBlockSize, beyond_->state);
            continue;
        }
        const size_t offset = position_ % kBlockSize;
        const size_t n = std::min(size, kBlockSize - offset);
        XorInto(data, block + offset, n);
        data += n;
        size -= n;
        position_ += n;
    }
}

void KeyStreamCursor::Restart() {
    position_ = 0;
    beyond_.reset();
}

void KeyStreamCursor::Seek(uint64_t position) {
    constexpr uint64_t kept = uint64_t{kBlockSize} * kMaxBlocks;
    // Within the kept blocks, or a short way on past them: RC4 runs on from here.
    const bool runOn = beyond_ && position >= position_ && position - position_ < kBlockSize;
    if (!runOn) {
        Restart();
        position_ = position;
        if (position <= kept) return;
        RunFromKeptState();
        return;
    }
    RunOn(beyond_->state, position - position_);
    position_ = position;
}

void KeyStreamCursor::RunFromKeptState() {
    const uint64_t block = position_ / kBlockSize;
    beyond_.reset(new Beyond{stream_->StateAt(block)});
    RunOn(beyond_->state, position_ - block * kBlockSize);
}

} // namespace sealkit
