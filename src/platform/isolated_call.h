#pragma once
// Runs a piece of work in a short-lived child process under resource limits, for
// libraries that read outside files and are not trusted to survive a hostile one:
// a crash, a runaway allocation or a hang in the child becomes a failed call here.
#include <functional>
#include <string>

namespace platform {

struct IsolationLimits {
    unsigned cpuSeconds = 60;                    // CPU time of the child
    unsigned wallSeconds = 120;                  // then the child is killed
    unsigned long long memoryBytes = 2ULL << 30; // address space beyond what it starts with
    unsigned long long outputBytes = 1ULL << 30; // the most it may send back
};

enum class IsolatedResult {
    Done,     // the work returned; *output holds what it returned
    Failed,   // the child died, exceeded a limit, or sent more than allowed
    TimedOut, // the child was still running at the wall-clock limit
    NotRun,   // no child could be started
};

// Calls work() in a forked child and passes what it returns back through a pipe.
// work runs without the parent's threads: it must not touch the window toolkit.
IsolatedResult RunIsolated(const std::function<std::string()>& work, const IsolationLimits& limits,
                           std::string* output);

} // namespace platform
