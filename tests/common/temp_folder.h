#pragma once
// A scratch folder under /tmp, removed with everything in it when the test ends.
#include "platform/gbk.h"

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace qv_test {

class TempFolder {
public:
    explicit TempFolder(const std::string& tag = "test") {
        std::string pattern = "/tmp/qv_" + tag + "_XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        path_ = ::mkdtemp(name.data());
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// GBK bytes of a UTF-8 text, as the tables hold them.
inline std::string Gbk(const std::string& utf8) {
    return platform::Utf8ToGbk(utf8);
}

} // namespace qv_test
