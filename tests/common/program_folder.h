#pragma once
// A private program folder per test (with Picture/ and Data/, made the current
// directory) and a private system directory beside it, with the account-set globals
// pointed at the default set. Windows left open are destroyed when the test ends.
#include "data/data_folders.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/wx_text.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A path inside the program folder.
    std::string Path(const std::string& relative) const { return home_ + "/" + relative; }
    // A file of the working folder of the default set's plain copies.
    std::string Working(const std::string& name) const;
    static std::string Read(const std::string& path);
    static void Write(const std::string& path, const std::string& bytes);
    // Writes text, converted to GBK, as the file at a path inside the program folder.
    void WriteGbkFile(const std::string& relative, const std::string& utf8);

    std::string root_;   // holds the two below; room for files outside the program folder
    std::string home_;   // the program folder
    std::string sysdir_; // $QV_SYSDIR

private:
    std::string oldDir_;
};

// Runs pending events and idle handling a few times (nothing without an application).
void Pump(int rounds = 5);
