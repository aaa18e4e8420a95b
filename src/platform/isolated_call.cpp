#include "platform/isolated_call.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace platform {

namespace {

// The address space the process has now: the limit is set above it, since a process
// built with the address sanitizer starts with terabytes reserved.
unsigned long long AddressSpaceNow() {
    unsigned long long pages = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%llu", &pages) != 1) pages = 0;
        std::fclose(statm);
    }
    return pages * static_cast<unsigned long long>(sysconf(_SC_PAGESIZE));
}

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

[[noreturn]] void RunChild(int fd, const std::function<std::string()>& work,
                           const IsolationLimits& limits) {
    // A fault in the work ends the child plainly, whatever handlers the parent had.
    for (int sig : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGXCPU, SIGPIPE})
        std::signal(sig, SIG_DFL);
    const rlimit cpu{limits.cpuSeconds, limits.cpuSeconds + 1};
    const rlim_t space = static_cast<rlim_t>(AddressSpaceNow() + limits.memoryBytes);
    const rlimit memory{space, space};
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CPU, &cpu);
    setrlimit(RLIMIT_AS, &memory);
    setrlimit(RLIMIT_CORE, &noCore);
    int code = 1;
    try {
        const std::string result = work();
        code = WriteAll(fd, result.data(), result.size()) ? 0 : 1;
    } catch (...) {
    }
    // No exit handlers or stream flushes of the parent's state.
    _exit(code);
}

} // namespace

IsolatedResult RunIsolated(const std::function<std::string()>& work, const IsolationLimits& limits,
                           std::string* output) {
    output->clear();
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return IsolatedResult::NotRun;
    const pid_t child = fork();
    if (child < 0) {
        close(fds[0]);
        close(fds[1]);
        return IsolatedResult::NotRun;
    }
    if (child == 0) {
        close(fds[0]);
        RunChild(fds[1], work, limits);
    }
    close(fds[1]);

    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(limits.wallSeconds);
    IsolatedResult result = IsolatedResult::Done;
    char buffer[65536];
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            result = IsolatedResult::TimedOut;
            break;
        }
        pollfd ready{fds[0], POLLIN, 0};
        const int polled = poll(&ready, 1, static_cast<int>(left));
        if (polled < 0 && errno == EINTR) continue;
        if (polled == 0) continue;
        if (polled < 0) {
            result = IsolatedResult::Failed;
            break;
        }
        const ssize_t got = read(fds[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break; // the child closed its end: it is done or dead
        if (output->size() + static_cast<size_t>(got) > limits.outputBytes) {
            result = IsolatedResult::Failed;
            break;
        }
        output->append(buffer, static_cast<size_t>(got));
    }
    close(fds[0]);
    if (result != IsolatedResult::Done) kill(child, SIGKILL);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (result == IsolatedResult::Done && !(WIFEXITED(status) && WEXITSTATUS(status) == 0))
        result = IsolatedResult::Failed;
    if (result != IsolatedResult::Done) output->clear();
    return result;
}

} // namespace platform
