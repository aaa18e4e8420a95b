#pragma once
// A private program folder (with "Picture" and "Data") and a private system directory
// per test, with the account-set globals pointed at the default set.
#include "data/data_folders.h"
#include "platform/files.h"
#include "platform/paths.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/qv-data-XXXXXX";
        root_ = ::mkdtemp(name);
        home_ = root_ + "/home";
        sysdir_ = root_ + "/sys";
        std::filesystem::create_directories(home_ + "/Picture");
        std::filesystem::create_directories(home_ + "/Data");
        ::setenv("QV_SYSDIR", sysdir_.c_str(), 1);
        platform::SetProgramFolder(home_);
        SetAccountSet(wxString());
        std::filesystem::create_directories(g_strDataPath.utf8_string());
    }
    void TearDown() override {
        platform::SetProgramFolder(std::string());
        std::filesystem::remove_all(root_);
    }
    std::string Home(const std::string& relative) const { return home_ + "/" + relative; }
    std::string Working(const std::string& name) const {
        return g_strDataPath.utf8_string() + name;
    }
    static std::string Read(const std::string& path) {
        std::string bytes;
        platform::ReadFileBytes(path, bytes);
        return bytes;
    }
    static void Write(const std::string& path, const std::string& bytes) {
        ASSERT_TRUE(platform::WriteFileAtomic(path, bytes)) << path;
    }

    std::string root_, home_, sysdir_;
};

inline wxString U(const char* utf8) {
    return wxString::FromUTF8(utf8);
}
