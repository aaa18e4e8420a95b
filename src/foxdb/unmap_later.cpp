#include "foxdb/unmap_later.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <sys/mman.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace foxdb {
namespace {

// Under AddressSanitizer everything is unmapped at once: its allocator (clang 14) has
// no fork handler, and a child forked while the thread was being started found the
// allocator locked and waited for ever. glibc's allocator is safe across a fork.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kUnmapOnAThread = false;
#else
constexpr bool kUnmapOnAThread = true;
#endif
#else
constexpr bool kUnmapOnAThread = true;
#endif

using Mapping = std::pair<void*, size_t>;

// The thread neither allocates nor frees memory, so a fork never finds it inside the
// allocator.
struct Unmapper {
    std::mutex mutex;
    std::condition_variable work;
    std::array<Mapping, 64> pending{};
    size_t count = 0;
    std::atomic<pid_t> owner{0}; // the process whose thread unmaps, 0 before it starts
};

// Never destroyed: the detached thread waits on it until the process ends.
Unmapper& Shared() {
    static Unmapper* unmapper = new Unmapper;
    return *unmapper;
}

void Run(Unmapper& u) {
    std::unique_lock<std::mutex> lock(u.mutex);
    for (;;) {
        u.work.wait(lock, [&u] { return u.count > 0; });
        std::array<Mapping, 64> batch = u.pending;
        const size_t count = u.count;
        u.count = 0;
        lock.unlock();
        for (size_t i = 0; i < count; ++i)
            ::munmap(batch[i].first, batch[i].second);
        lock.lock();
    }
}

} // namespace

void UnmapLater(void* start, size_t size) {
    Unmapper& u = Shared();
    // A child forked after the thread started has no such thread, and may hold the
    // lock as the thread held it at the fork: it unmaps at once, without the lock.
    const pid_t owner = u.owner.load();
    if (kUnmapOnAThread && (owner == 0 || owner == ::getpid())) {
        std::unique_lock<std::mutex> lock(u.mutex);
        try {
            if (u.owner.load() == 0) {
                std::thread(Run, std::ref(u)).detach();
                u.owner = ::getpid();
            }
            if (u.count < u.pending.size()) {
                u.pending[u.count++] = {start, size};
                u.work.notify_one();
                return;
            }
        } catch (const std::exception&) {
        }
    }
    ::munmap(start, size);
}

} // namespace foxdb
