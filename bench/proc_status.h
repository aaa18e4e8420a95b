#pragma once
// Memory figures of this process from /proc (Linux).
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace bench {

// A figure of /proc/self/status in kB ("RssAnon:", "RssFile:", "VmHWM:"), or 0.
inline long StatusKb(const char* name) {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status) return 0;
    char line[256];
    long kb = 0;
    while (std::fgets(line, sizeof line, status))
        if (std::strncmp(line, name, std::strlen(name)) == 0)
            kb = std::atol(line + std::strlen(name));
    std::fclose(status);
    return kb;
}

// Lets VmHWM count from now on (writing 5 to clear_refs resets the peak).
inline void ResetPeakMemory() {
    if (std::FILE* refs = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", refs);
        std::fclose(refs);
    }
}

} // namespace bench
