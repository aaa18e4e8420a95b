#pragma once
#include <string>

namespace platform {
// Appends one line to nvProgLog.txt in the program folder (the spec's c:\nvProgLog.txt).
void AppendLog(const std::string& line);
} // namespace platform
