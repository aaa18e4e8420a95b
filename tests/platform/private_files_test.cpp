// Private folders and files: modes of new and replaced files, the system directory's
// refusals, and the start-up tidy of modes and leftovers.
#include "common/temp_folder.h"
#include "platform/files.h"
#include "platform/private_files.h"
#include "platform/system_dir.h"
#include "platform/user_home.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;
using qv_test::TempFolder;
namespace fs = std::filesystem;

namespace {

mode_t Mode(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

void Make(const std::string& path, mode_t mode) {
    ASSERT_TRUE(WriteFileAtomic(path, "rows"));
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
}

// Runs with $QV_SYSDIR (or $HOME) set for the call only.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old, had_ = true;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { had_ ? ::setenv(name_, old_.c_str(), 1) : ::unsetenv(name_); }

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

} // namespace

TEST(PrivateFiles, NewFilesArePrivateAndReplacedOnesKeepTheirMode) {
    TempFolder dir;
    ::umask(022);
    ASSERT_TRUE(CreateFolders(dir.File("a/b")));
    EXPECT_EQ(Mode(dir.File("a")), 0700u);
    EXPECT_EQ(Mode(dir.File("a/b")), 0700u);

    ASSERT_TRUE(WriteFileAtomic(dir.File("a/new"), "x"));
    EXPECT_EQ(Mode(dir.File("a/new")), 0600u);
    ASSERT_TRUE(CopyFileAtomic(dir.File("a/new"), dir.File("a/copy")));
    EXPECT_EQ(Mode(dir.File("a/copy")), 0600u);

    Make(dir.File("a/shared"), 0640);
    ASSERT_TRUE(WriteFileAtomic(dir.File("a/shared"), "y"));
    EXPECT_EQ(Mode(dir.File("a/shared")), 0640u);
    Make(dir.File("a/kept"), 0444);
    ASSERT_TRUE(CopyFileAtomic(dir.File("a/new"), dir.File("a/kept")));
    EXPECT_EQ(Mode(dir.File("a/kept")), 0444u);
}

TEST(PrivateFiles, TheHomeNeverFallsBackToASharedPlace) {
    const passwd* pw = ::getpwuid(::geteuid());
    ASSERT_NE(pw, nullptr);
    const std::string fromDatabase = pw->pw_dir;
    TempFolder dir;
    for (const char* home : {static_cast<const char*>(nullptr), "", "relative/home", "/no/such"}) {
        SCOPED_TRACE(home ? home : "(unset)");
        ScopedEnv env("HOME", home);
        EXPECT_EQ(UserHome(), fromDatabase);
    }
    ScopedEnv env("HOME", dir.Path().c_str());
    EXPECT_EQ(UserHome(), dir.Path());
}

TEST(PrivateFiles, AnUnsafeSystemDirectoryIsRefused) {
    TempFolder dir;
    ASSERT_EQ(::mkdir(dir.File("open").c_str(), 0755), 0);
    ASSERT_EQ(::chmod(dir.File("open").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(dir.File("real").c_str(), 0700), 0);
    ASSERT_EQ(::symlink(dir.File("real").c_str(), dir.File("link").c_str()), 0);
    ASSERT_EQ(::mkdir(dir.File("theirs").c_str(), 0700), 0);
    const bool canGiveAway = ::chown(dir.File("theirs").c_str(), 65534, 65534) == 0;
    struct Case {
        std::string folder;
        std::string why;
    } cases[] = {{dir.File("open"), "其他用户可以访问"},
                 {dir.File("link"), "符号链接"},
                 {dir.File("link/"), "符号链接"},
                 {"relative/sys", "绝对路径"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        ScopedEnv env("QV_SYSDIR", c.folder.c_str());
        std::string problem;
        EXPECT_EQ(SystemDirectory(&problem), "");
        EXPECT_NE(problem.find(c.why), std::string::npos) << problem;
        EXPECT_FALSE(TidyAtStart(dir.File("program"), &problem));
    }
    if (canGiveAway) {
        ScopedEnv env("QV_SYSDIR", dir.File("theirs").c_str());
        std::string problem;
        EXPECT_EQ(SystemDirectory(&problem), "");
        EXPECT_NE(problem.find("不属于当前用户"), std::string::npos) << problem;
    }
    ScopedEnv env("QV_SYSDIR", dir.File("new/sys").c_str());
    EXPECT_EQ(SystemDirectory(), dir.File("new/sys"));
    EXPECT_EQ(Mode(dir.File("new")), 0700u);
    EXPECT_EQ(Mode(dir.File("new/sys")), 0700u);
}

TEST(PrivateFiles, StartNarrowsAnOlderProgramFolderAndRemovesLeftovers) {
    TempFolder dir;
    const std::string program = dir.File("qv"), system = dir.File("sys");
    ASSERT_EQ(::mkdir(program.c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(system.c_str(), 0700), 0);
    fs::create_directories(program + "/Data/zt02");
    fs::create_directories(system + "/Data/Data");
    ::chmod(program.c_str(), 0755);
    ::chmod((program + "/Data").c_str(), 0775);
    Make(program + "/Picture.users", 0644);
    Make(program + "/Data/ljkc.dwf", 0444);
    Make(program + "/Data/zt02/gk.dwf", 0664);
    Make(dir.File("outside"), 0644);
    ASSERT_EQ(::symlink(dir.File("outside").c_str(), (program + "/Data/link").c_str()), 0);

    // Leftovers of killed writes, and files of the same look that are not ours.
    const std::vector<std::string> leftovers = {
        program + "/Picture.users.qvtmp.Ab12Cd", program + "/Data/.ljkc.dwf.qvtmp.0a1b2c",
        system + "/Data/Data/.ljkc.dbf.qvtmp.ffffff", system + "/Data/Data/gk.dbf.qvtmp.x1Y2z3"};
    const std::vector<std::string> kept = {
        system + "/Data/Data/ljkc.dbf",        system + "/Data/Data/ljkc.dbf.tmp",
        system + "/Data/Data/ljkc.dbf.commit", program + "/Data/a.qvtmp.",
        program + "/Data/a.qvtmp.1234567",     program + "/Data/qvtmp.123456"};
    for (const std::string& path : leftovers)
        Make(path, 0600);
    for (const std::string& path : kept)
        Make(path, 0600);
    // Plain tables a killed rebuild staged.
    fs::create_directories(system + "/Rebuild/old");
    Make(system + "/Rebuild/ljkc.dbf", 0600);
    Make(system + "/Rebuild/old/gk.dbf", 0600);

    ScopedEnv env("QV_SYSDIR", system.c_str());
    std::string problem;
    ASSERT_TRUE(TidyAtStart(program, &problem)) << problem;
    EXPECT_EQ(Mode(program), 0700u);
    EXPECT_EQ(Mode(program + "/Data"), 0700u);
    EXPECT_EQ(Mode(program + "/Data/zt02"), 0700u);
    EXPECT_EQ(Mode(program + "/Picture.users"), 0600u);
    EXPECT_EQ(Mode(program + "/Data/ljkc.dwf"), 0400u);
    EXPECT_EQ(Mode(program + "/Data/zt02/gk.dwf"), 0600u);
    EXPECT_EQ(Mode(dir.File("outside")), 0644u); // a link is not followed
    for (const std::string& path : leftovers)
        EXPECT_FALSE(fs::exists(path)) << path;
    for (const std::string& path : kept)
        EXPECT_TRUE(fs::exists(path)) << path;
    EXPECT_TRUE(fs::is_empty(system + "/Rebuild"));
}
