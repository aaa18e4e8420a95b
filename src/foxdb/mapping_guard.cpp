#include "foxdb/mapping_guard.h"

#include <atomic>
#include <csignal>
#include <cstdint>
#include <mutex>
#include <sys/mman.h>
#include <unistd.h>

namespace foxdb {
namespace {

// Fixed slots, so the handler reads them without locks or allocation. A slot is
// claimed through `used`; `start` is set last and cleared first, so a non-zero
// start always comes with its size.
struct Slot {
    std::atomic<bool> used{false};
    std::atomic<uintptr_t> start{0};
    std::atomic<size_t> size{0};
    std::atomic<bool> cut{false};
};

constexpr int kSlots = 1024;
Slot g_slots[kSlots];
struct sigaction g_previous;
std::once_flag g_installed;
uintptr_t g_page = 4096;

void PassOn(int signal, siginfo_t* info, void* context) {
    if ((g_previous.sa_flags & SA_SIGINFO) && g_previous.sa_sigaction) {
        g_previous.sa_sigaction(signal, info, context);
    } else if (g_previous.sa_handler != SIG_DFL && g_previous.sa_handler != SIG_IGN) {
        g_previous.sa_handler(signal);
    } else {
        // The fault comes again on return and ends the process as it would have.
        struct sigaction fallback {};
        fallback.sa_handler = SIG_DFL;
        ::sigaction(SIGBUS, &fallback, nullptr);
    }
}

void OnBusError(int signal, siginfo_t* info, void* context) {
    const uintptr_t address = reinterpret_cast<uintptr_t>(info->si_addr);
    const uintptr_t page = g_page;
    for (Slot& slot : g_slots) {
        const uintptr_t start = slot.start.load(std::memory_order_acquire);
        const size_t size = slot.size.load(std::memory_order_relaxed);
        if (!start || address < start || address - start >= size) continue;
        const uintptr_t from = address & ~(page - 1);
        const uintptr_t end = (start + size + page - 1) & ~(page - 1);
        void* zeros = ::mmap(reinterpret_cast<void*>(from), end - from, PROT_READ,
                             MAP_FIXED | MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (zeros == MAP_FAILED) break;
        slot.cut.store(true, std::memory_order_release);
        return;
    }
    PassOn(signal, info, context);
}

void Install() {
    g_page = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
    struct sigaction action {};
    action.sa_sigaction = OnBusError;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGBUS, &action, &g_previous);
}

} // namespace

bool MappingGuard::Watch(const char* start, size_t size) {
    std::call_once(g_installed, Install);
    for (int i = 0; i < kSlots; ++i) {
        bool expected = false;
        if (!g_slots[i].used.compare_exchange_strong(expected, true)) continue;
        g_slots[i].cut.store(false);
        g_slots[i].size.store(size, std::memory_order_relaxed);
        g_slots[i].start.store(reinterpret_cast<uintptr_t>(start), std::memory_order_release);
        slot_ = i;
        return true;
    }
    return false;
}

void MappingGuard::Stop() {
    if (slot_ < 0) return;
    g_slots[slot_].start.store(0, std::memory_order_release);
    g_slots[slot_].size.store(0);
    g_slots[slot_].used.store(false, std::memory_order_release);
    slot_ = -1;
}

bool MappingGuard::Cut() const {
    return slot_ >= 0 && g_slots[slot_].cut.load(std::memory_order_acquire);
}

} // namespace foxdb
