#pragma once
// A private world per test: a program folder, a system directory ($QV_SYSDIR) and
// a config folder ($XDG_CONFIG_HOME) under one temporary folder, with every
// message box recorded. Also python3 as an independent oracle for the file format.
#include "common/file_size_limit.h"
#include "crypt/sealkit.h"
#include "platform/message_box.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace crypt_test {

namespace fs = std::filesystem;

// The key string the program uses for its tables.
constexpr const char* kProgramKey = "qz19990412kelp@_31774";

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// Bytes that differ from position to position, so a shifted key stream shows.
inline std::string Pattern(size_t size, unsigned seed = 1) {
    std::string bytes(size, '\0');
    unsigned x = seed;
    for (char& c : bytes) {
        x = x * 1103515245u + 12345u;
        c = static_cast<char>(x >> 16);
    }
    return bytes;
}

inline unsigned Mode(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// Every file under a folder: relative path, size and a hash of the contents, one
// line each, so a failed comparison prints a short listing.
inline std::string Snapshot(const std::string& folder) {
    std::set<std::string> lines;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        std::string bytes = ReadFile(entry.path().string());
        lines.insert(fs::relative(entry.path(), folder).string() + " " +
                     std::to_string(bytes.size()) + " " +
                     std::to_string(std::hash<std::string>()(bytes)));
    }
    std::string listing;
    for (const std::string& line : lines)
        listing += line + "\n";
    return listing;
}

// Runs a python3 script with arguments; its standard output, trimmed.
inline std::string Python(const std::string& script, const std::string& args) {
    std::string file = (fs::temp_directory_path() / "crypt-oracle-XXXXXX").string();
    int fd = ::mkstemp(file.data());
    if (fd < 0) return std::string();
    ::close(fd);
    WriteFile(file, script);
    std::string out;
    if (FILE* pipe = ::popen(("python3 " + file + " " + args).c_str(), "r")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            out.append(buffer, n);
        ::pclose(pipe);
    }
    fs::remove(file);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
        out.pop_back();
    return out;
}

using qv_test::FileSizeLimit;

class CryptTest : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/qv-crypt-XXXXXX";
        root_ = ::mkdtemp(name);
        home = root_ + "/home";
        sysdir = root_ + "/sys";
        config = root_ + "/config";
        fs::create_directories(home + "/Data");
        fs::create_directories(sysdir + "/Data/Data");
        fs::permissions(sysdir, fs::perms::owner_all); // the library refuses an open one
        ::setenv("QV_SYSDIR", sysdir.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    }
    void TearDown() override {
        fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(root_);
    }
    std::string Path(const std::string& relative) const { return root_ + "/" + relative; }

    std::string home, sysdir, config;
    platform::ScriptedMessageBoxes boxes;

private:
    std::string root_;
};

} // namespace crypt_test
