#pragma once
// A wx application for the window tests and a fresh program folder per test.
#include <gtest/gtest.h>
#include <string>
#include <wx/string.h>

// A new program folder (current directory, with Picture/ and Data/) and a private
// system directory, both removed afterwards.
class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes text, converted to GBK, as the file at a path relative to the folder.
    void WriteGbkFile(const std::string& relative, const std::string& utf8);
    std::string Path(const std::string& relative) const;

    std::string folder_;
    std::string oldDir_;
};

// Runs pending events and idle handling a few times.
void Pump(int rounds = 5);

inline wxString U(const char* text) {
    return wxString::FromUTF8(text);
}
