#pragma once
// Names of the temporary files that the program's writers create beside the file they
// are about to replace: "<name>.qvtmp.XXXXXX". A kill between creating one and renaming
// it leaves it behind; the next start finds them by this name and removes them.
// Header-only, because sealkit uses it too and links against nothing of ours.
#include <string>

namespace platform {

constexpr char kTempMark[] = ".qvtmp.";
constexpr size_t kTempTagLength = 6;

inline bool IsTempName(const std::string& name) {
    const size_t mark = sizeof kTempMark - 1;
    return name.size() > mark + kTempTagLength &&
           name.compare(name.size() - kTempTagLength - mark, mark, kTempMark) == 0;
}

} // namespace platform
