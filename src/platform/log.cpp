#include "platform/log.h"

#include "platform/paths.h"

#include <cstdio>

namespace platform {

void AppendLog(const std::string& line) {
    std::string path = JoinPath(ProgramFolder(), "nvProgLog.txt");
    if (FILE* f = std::fopen(path.c_str(), "ab")) {
        std::fwrite(line.data(), 1, line.size(), f);
        if (line.empty() || line.back() != '\n') std::fputc('\n', f); // one entry a line
        std::fclose(f);
    }
}

} // namespace platform
