// A process killed in the middle of an encryption, a decryption or an atomic write
// leaves a temporary file; the next start removes it, and the files it was to replace
// are whole: the old one or the new one.
#include "crypt_fixture.h"
#include "platform/files.h"
#include "platform/private_files.h"

#include <chrono>
#include <sys/wait.h>
#include <thread>

using namespace crypt_test;

namespace {

// Temporary files of the program's writers under a folder.
std::vector<std::string> Leftovers(const std::string& folder) {
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.path().filename().string().find(".qvtmp.") != std::string::npos)
            found.push_back(entry.path().string());
    return found;
}

// Runs `work` over and over in a child process and kills it once a temporary file of
// it shows under `folder`. False when none showed within ten seconds.
bool KillWhileWriting(const std::function<void()>& work, const std::string& folder) {
    pid_t child = ::fork();
    if (child == 0) {
        for (;;)
            work();
    }
    bool seen = false;
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!seen && std::chrono::steady_clock::now() < until) {
        seen = !Leftovers(folder).empty();
        if (!seen) std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    return seen;
}

} // namespace

TEST_F(CryptTest, AKilledWriteLeavesNothingAfterTheNextStart) {
    const std::string plain = Pattern(24 << 20, 7);
    const std::string table = home + "/Data/ljkc.dwf", working = sysdir + "/Data/Data/ljkc.dbf";
    const std::string source = Path("source.dbf");
    WriteFile(source, plain);
    ASSERT_EQ(NvEncryptFile(source.c_str(), table.c_str(), kProgramKey), 1);
    const std::string encrypted = ReadFile(table);

    struct Case {
        const char* what;
        std::string folder;
        std::function<void()> work;
        std::string target, before, after;
    } cases[] = {
        {"decryption", sysdir, [&] { NvDecrypt(table.c_str(), kProgramKey); }, working, "", plain},
        // Over an old file that differs throughout, so it is written whole.
        {"encryption", home, [&] { NvEncryptFile(source.c_str(), table.c_str(), kProgramKey); },
         table, Pattern(24 << 20, 8), encrypted},
        {"atomic write", home, [&] { platform::WriteFileAtomic(home + "/Picture.users", plain); },
         home + "/Picture.users", "", plain},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(c.target);
        if (!c.before.empty()) WriteFile(c.target, c.before);
        ASSERT_TRUE(KillWhileWriting(c.work, c.folder));
        ASSERT_FALSE(Leftovers(c.folder).empty());

        std::string problem;
        ASSERT_TRUE(platform::TidyAtStart(home, &problem)) << problem;
        EXPECT_TRUE(Leftovers(home).empty());
        EXPECT_TRUE(Leftovers(sysdir).empty());
        // The target is the old file or the complete new one, never a part.
        if (fs::exists(c.target)) {
            std::string now = ReadFile(c.target);
            EXPECT_TRUE(now == c.before || now == c.after) << now.size() << " bytes";
        }
        // A plain table is nobody else's to read.
        if (c.target == working && fs::exists(working)) {
            EXPECT_EQ(Mode(working) & 077, 0u);
        }
    }
}

// A re-encryption that writes only the changed blocks, killed at whatever point:
// the next reader finds the old table or the new one, and no undo record after.
TEST_F(CryptTest, AKilledReEncryptionLeavesTheOldTableOrTheNew) {
    const std::string a = Pattern(8 << 20, 3);
    std::string b = a;
    for (size_t at = 100; at < b.size(); at += 1 << 20)
        b[at] = static_cast<char>(b[at] ^ 1);
    const std::string table = home + "/Data/ljsh.dwf", undo = table + ".qv-undo";
    WriteFile(Path("a.dbf"), a);
    WriteFile(Path("b.dbf"), b);
    ASSERT_EQ(NvEncryptFile(Path("b.dbf").c_str(), table.c_str(), kProgramKey), 1);
    const std::string encryptedB = ReadFile(table);
    ASSERT_EQ(NvEncryptFile(Path("a.dbf").c_str(), table.c_str(), kProgramKey), 1);
    const std::string encryptedA = ReadFile(table);
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE(round);
        pid_t child = ::fork();
        if (child == 0) {
            for (;;) {
                NvEncryptFile(Path("b.dbf").c_str(), table.c_str(), kProgramKey);
                NvEncryptFile(Path("a.dbf").c_str(), table.c_str(), kProgramKey);
            }
        }
        auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!fs::exists(undo) && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::microseconds(100 * round));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        char back[SEALKIT_MAX_PATH];
        std::snprintf(back, sizeof back, "%s", Path("back.dbf").c_str());
        ASSERT_EQ(NvDecryptFile(table.c_str(), back, kProgramKey), 1);
        const std::string plain = ReadFile(Path("back.dbf"));
        EXPECT_TRUE(plain == a || plain == b);
        const std::string encrypted = ReadFile(table);
        EXPECT_TRUE(encrypted == encryptedA || encrypted == encryptedB);
        EXPECT_FALSE(fs::exists(undo));
    }
}
