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
        {"encryption", home, [&] { NvEncryptFile(source.c_str(), table.c_str(), kProgramKey); },
         table, encrypted, encrypted},
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
