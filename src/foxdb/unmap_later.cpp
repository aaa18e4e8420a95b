#include "foxdb/unmap_later.h"

#include <condition_variable>
#include <mutex>
#include <sys/mman.h>
#include <exception>
#include <thread>
#include <utility>
#include <vector>

namespace foxdb {
namespace {

struct Unmapper {
    std::mutex mutex;
    std::condition_variable work;
    std::vector<std::pair<void*, size_t>> pending;
    bool started = false;
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
    std::unique_lock<std::mutex> lock(u.mutex);
    try {
        if (!u.started) {
            std::thread(Run, std::ref(u)).detach();
            u.started = true;
        }
        u.pending.emplace_back(start, size);
        u.work.notify_one();
        return;
    } catch (const std::exception&) {
    }
    lock.unlock();
    ::munmap(start, size);
}

} // namespace foxdb
