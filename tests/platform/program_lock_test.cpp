// The program folder's lock: one writer at a time across processes, readers beside
// readers, released when the holder ends however it ends, shared with forked children.
#include "common/temp_folder.h"
#include "platform/program_lock.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace platform;
using qv_test::TempFolder;

namespace {

// A child process that takes the lock of `folder` afresh and keeps it until killed.
class Holder {
public:
    Holder(const std::string& folder, FolderUse use) {
        UnlockProgramFolder(); // a child would share ours
        int ready[2];
        if (::pipe(ready) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            char c = LockProgramFolder(folder, use) ? 'y' : 'n';
            (void)!::write(ready[1], &c, 1);
            for (;;)
                ::pause();
        }
        char c = 'n';
        (void)!::read(ready[0], &c, 1);
        holding_ = c == 'y';
        ::close(ready[0]);
        ::close(ready[1]);
    }
    ~Holder() { Kill(); }
    void Kill() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    bool Holding() const { return holding_; }

private:
    pid_t pid_ = -1;
    bool holding_ = false;
};

} // namespace

TEST(ProgramLock, OneWriterAtATimeReadersTogetherReleasedWhenTheHolderDies) {
    TempFolder dir;
    const struct {
        FolderUse held, asked;
        bool granted;
    } cases[] = {
        {FolderUse::kWrite, FolderUse::kWrite, false},
        {FolderUse::kWrite, FolderUse::kRead, false},
        {FolderUse::kRead, FolderUse::kWrite, false},
        {FolderUse::kRead, FolderUse::kRead, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(int(c.held)) + "/" + std::to_string(int(c.asked)));
        Holder other(dir.Path(), c.held);
        ASSERT_TRUE(other.Holding());
        std::string problem;
        EXPECT_EQ(LockProgramFolder(dir.Path(), c.asked, &problem), c.granted);
        if (!c.granted) {
            EXPECT_NE(problem.find("正在被另一个程序使用"), std::string::npos) << problem;
            EXPECT_NE(problem.find(dir.Path()), std::string::npos) << problem;
        }
        UnlockProgramFolder();
        other.Kill(); // the kernel lets go of a killed holder's lock
        EXPECT_TRUE(LockProgramFolder(dir.Path(), FolderUse::kWrite));
        UnlockProgramFolder();
    }
}

TEST(ProgramLock, AForkedChildSharesItsParentsLockAndAnotherFolderIsFree) {
    TempFolder dir;
    std::filesystem::create_directories(dir.File("a/Data/zt02"));
    std::filesystem::create_directories(dir.File("b"));
    ASSERT_TRUE(LockProgramFolder(dir.File("a"), FolderUse::kWrite));
    EXPECT_TRUE(LockProgramFolder(dir.File("a/"), FolderUse::kRead)); // held already
    pid_t child = ::fork();
    if (child == 0) _exit(LockProgramFolder(dir.File("a"), FolderUse::kWrite) ? 0 : 1);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    // The tools find the program folder above a table folder by its lock file.
    EXPECT_EQ(ProgramFolderAbove(dir.File("a/Data/zt02")),
              std::filesystem::canonical(dir.File("a")).string());
    EXPECT_EQ(ProgramFolderAbove(dir.File("b")), "");
    {
        Holder other(dir.File("b"), FolderUse::kWrite);
        ASSERT_TRUE(other.Holding());
        Holder third(dir.File("a"), FolderUse::kWrite);
        EXPECT_TRUE(third.Holding());
    }
}
