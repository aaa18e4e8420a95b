#include "foxdb/unmap_later.h"

#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <sys/mman.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace foxdb {
namespace {

// Under AddressSanitizer everything is unmapped at once: its allocator (clang 14) has
// no fork handler, and a child forked while the thread was inside it found it locked
// and waited for ever. glibc's allocator is safe across a fork.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kUnmapOnAThread = false;
#else
constexpr bool kUnmapOnAThread = true;
#endif
#else
constexpr bool kUnmapOnAThread = true;
#endif

struct Unmapper {
    std::mutex mutex;
    std::condition_variable work;
    std::vector<std::pair<void*, size_t>> pending;
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
        u.work.wait(lock, [&u] { return !u.pending.empty(); });
        std::vector<std::pair<void*, size_t>> batch;
        batch.swap(u.pending);
        lock.unlock();
        for (const auto& [start, size] : batch)
            ::munmap(start, size);
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
            u.pending.emplace_back(start, size);
            u.work.notify_one();
            return;
        } catch (const std::exception&) {
        }
    }
    ::munmap(start, size);
}

} // namespace foxdb
