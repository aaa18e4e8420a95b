#pragma once
#include <string>

namespace platform {
// Appends one line to nvProgLog.txt in the program folder (c:\nvProgLog.txt on Windows).
void AppendLog(const std::string& line);
} // namespace platform
