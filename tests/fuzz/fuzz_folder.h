#pragma once
// A scratch folder for fuzz targets that read files: made once per process, its
// files rewritten for each input.
#include "platform/files.h"

#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace fuzz {

inline const std::string& Folder() {
    static const std::string folder = [] {
        std::string pattern = "/tmp/qv-fuzz-XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        return std::string(::mkdtemp(name.data()));
    }();
    return folder;
}

inline std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = Folder() + "/" + name;
    platform::WriteFileAtomic(path, bytes);
    return path;
}

// The input cut into parts at each "\n--\n", so one input can stand for several files.
inline std::vector<std::string> Parts(const uint8_t* data, size_t size, size_t count) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> parts;
    size_t start = 0;
    while (parts.size() + 1 < count) {
        size_t cut = bytes.find("\n--\n", start);
        if (cut == std::string::npos) break;
        parts.push_back(bytes.substr(start, cut - start));
        start = cut + 4;
    }
    parts.push_back(bytes.substr(start));
    parts.resize(count);
    return parts;
}

} // namespace fuzz
