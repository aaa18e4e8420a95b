// The real program, started on a program folder of its own under the test's X
// display: killed while it runs, it leaves no clean-exit marker, so the next login
// asks about the unclean exit, and loses nothing saved; ended by the system
// (SIGTERM), it ends its run normally, whatever dialog or box is up at that moment.
#include "app/app_profile.h"
#include "app/first_run.h"
#include "app/shutdown.h"
#include "app/ledger_posting.h"
#include "app/startup_after_login.h"
#include "common/table_folder.h"
#include "data/backup_restore.h"
#include "platform/message_box.h"
#include "platform/program_lock.h"

#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <wx/datetime.h>
#include <wx/fileconf.h>

extern char** environ;

namespace {

using namespace std::chrono_literals;

class QvProcessTest : public TableFolderTest {
protected:
    // A folder as the first run makes it, after the first login: tables encrypted,
    // the start-up markers gone, one entry in the ledger.
    void SetUp() override {
        TableFolderTest::SetUp();
        wxString error;
        ASSERT_TRUE(CProgramFolderSetup::Create(U("admin"), U("pw"), &error)) << error;
        CMainFrameData frame;
        bool started = false;
        CStartupAfterLogin(frame, started).SetUpFirstRun();
        CSettingFiles::DeleteSettingFile("noerro");
        platform::ScriptedMessageBoxes boxes;
        ASSERT_TRUE(CLedgerPosting(frame).PostPartnerEntry(U("张三"), "", U("应收款"), "99.5",
                                                           U("入帐"), U("维修"), ""))
            << ::testing::PrintToString(boxes.Texts());
    }
    void TearDown() override {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        TableFolderTest::TearDown();
    }

    void Start() {
        platform::UnlockProgramFolder(); // what the set-up wrote is done: the program's turn
        std::string program = std::string(QV_BIN_DIR) + "/qv";
        std::vector<std::string> args = {program, "--home", home_};
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        ASSERT_EQ(::posix_spawn(&pid_, program.c_str(), nullptr, nullptr, argv.data(), environ), 0);
    }

    // Waits until the program handles SIGTERM: it has set itself up and runs.
    bool WaitUntilRunning() {
        const auto deadline = std::chrono::steady_clock::now() + 20s;
        while (std::chrono::steady_clock::now() < deadline) {
            std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
            std::string line;
            while (std::getline(status, line))
                if (line.rfind("SigCgt:", 0) == 0 &&
                    (std::stoull(line.substr(7), nullptr, 16) >> (SIGTERM - 1) & 1))
                    return true;
            std::this_thread::sleep_for(20ms);
        }
        return false;
    }

    // The wait status of the ended program; -1 when it did not end in time.
    int Wait(std::chrono::seconds limit) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return status;
            }
            std::this_thread::sleep_for(20ms);
        }
        return -1;
    }

    bool CleanExitMarked() const { return platform::FileExists(Path("Picture/noerro")); }
    // The boxes the marker questions of the next login show (answered No).
    std::vector<std::string> NextLoginQuestions() {
        platform::ScriptedMessageBoxes boxes;
        boxes.Reply(platform::IDNO);
        CMainFrameData frame;
        bool started = false;
        CStartupAfterLogin(frame, started).AskMarkerQuestions();
        return boxes.Texts();
    }
    std::vector<wxString> Ledger() {
        CMainFrameData frame;
        return Column(U("select * from wlzm"), "单位");
    }

    // What a command printed.
    static std::string Output(const std::string& command) {
        std::string text;
        if (FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r")) {
            std::array<char, 256> buffer;
            while (std::fgets(buffer.data(), int(buffer.size()), pipe))
                text += buffer.data();
            ::pclose(pipe);
        }
        return text;
    }
    // The X window of the program's shown window whose title matches; empty when none
    // comes in time.
    std::string WaitForWindow(const std::string& title) {
        const auto deadline = std::chrono::steady_clock::now() + 30s;
        while (std::chrono::steady_clock::now() < deadline) {
            std::string found = Output("xdotool search --all --onlyvisible --pid " +
                                       std::to_string(pid_) + " --name '" + title + "'");
            if (!found.empty()) return found.substr(0, found.find('\n'));
            std::this_thread::sleep_for(50ms);
        }
        return std::string();
    }
    bool WaitUntilGone(const std::string& title) {
        const auto deadline = std::chrono::steady_clock::now() + 30s;
        while (std::chrono::steady_clock::now() < deadline) {
            if (Output("xdotool search --all --onlyvisible --pid " + std::to_string(pid_) +
                       " --name '" + title + "'")
                    .empty())
                return true;
            std::this_thread::sleep_for(50ms);
        }
        return false;
    }
    // Keys as a person presses them, into the window made active first (given the
    // focus where no window manager runs).
    static void Keys(const std::string& window, const std::string& keys) {
        ASSERT_EQ(std::system(("xdotool windowactivate --sync " + window +
                               " 2>/dev/null || xdotool windowfocus --sync " + window)
                                  .c_str()),
                  0);
        ASSERT_EQ(std::system(("xdotool key --delay 60 " + keys).c_str()), 0);
    }
    // Logs in as the set-up administrator through the login dialog.
    void LogIn() {
        const std::string login = WaitForWindow("系统登录");
        ASSERT_FALSE(login.empty());
        Keys(login, "a d m i n Tab p w Return");
    }
    void ShowNoTipAtStart() {
        auto profile = OpenAppProfile();
        profile->Write("Tip/StartUp", 1L);
        profile->Flush();
    }

    pid_t pid_ = -1;
};

TEST_F(QvProcessTest, KilledAtAnyMomentLeavesNoCleanExitMarkAndLosesNothing) {
    for (auto delay : {0ms, 300ms, 1500ms}) {
        Start();
        ASSERT_TRUE(WaitUntilRunning());
        std::this_thread::sleep_for(delay);
        ASSERT_EQ(::kill(pid_, SIGKILL), 0);
        int status = Wait(10s);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the program ended before the kill";
        EXPECT_FALSE(CleanExitMarked()) << delay.count();
        EXPECT_EQ(Ledger(), std::vector<wxString>{U("张三")}) << delay.count();
    }
    const std::vector<std::string> questions = NextLoginQuestions();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].rfind("上次退出为非正常退出", 0), 0u);
}

TEST_F(QvProcessTest, EndedByTheSystemTheRunEndsNormally) {
    Start();
    ASSERT_TRUE(WaitUntilRunning());
    std::this_thread::sleep_for(1s);
    ASSERT_EQ(::kill(pid_, SIGTERM), 0);
    int status = Wait(30s);
    ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);

    std::string marker;
    ASSERT_TRUE(platform::ReadFileBytes(Path("Picture/noerro"), marker));
    EXPECT_EQ(marker.size(), 1024u);
    const std::string day = AutoBackupDayName(wxDateTime::Now()).utf8_string();
    EXPECT_TRUE(platform::FileExists(Path("AutBak/" + day + "/wlzm.dwf")));
    EXPECT_TRUE(WorkingCopies().empty());
    EXPECT_EQ(Ledger(), std::vector<wxString>{U("张三")});
    EXPECT_TRUE(NextLoginQuestions().empty());
}

TEST_F(QvProcessTest, ASecondStartOnTheSameFolderIsRefusedBeforeTheLogin) {
    Start();
    ASSERT_TRUE(WaitUntilRunning());
    // The second counter has a system folder of its own.
    const std::string otherSystem = "QV_SYSDIR=" + root_ + "/sys2";
    std::vector<char*> env;
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "QV_SYSDIR=", 10) != 0) env.push_back(*e);
    env.push_back(const_cast<char*>(otherSystem.c_str()));
    env.push_back(nullptr);
    std::string program = std::string(QV_BIN_DIR) + "/qv", home = "--home";
    std::vector<char*> argv = {program.data(), home.data(), home_.data(), nullptr};
    pid_t second = -1;
    ASSERT_EQ(::posix_spawn(&second, program.c_str(), nullptr, nullptr, argv.data(), env.data()),
              0);
    // It says so in its box (looked at on the screen) and in the log, then waits for OK.
    bool refused = false;
    for (auto deadline = std::chrono::steady_clock::now() + 30s;
         !refused && std::chrono::steady_clock::now() < deadline;
         std::this_thread::sleep_for(20ms)) {
        std::string log;
        platform::ReadFileBytes(Path("nvProgLog.txt"), log);
        refused = log.find("start refused") != std::string::npos;
    }
    EXPECT_TRUE(refused);
    EXPECT_EQ(::waitpid(pid_, nullptr, WNOHANG), 0); // the first runs on
    ::kill(second, SIGKILL);
    ::waitpid(second, nullptr, 0);
    // Refused before the start-up tidy: the second system folder was never used.
    EXPECT_FALSE(platform::FolderExists(root_ + "/sys2"));
}

// Each kind of window the program may have up when the system ends it: the run
// ends as a close of the main window does, never with a crash.
TEST_F(QvProcessTest, EndedByTheSystemWithAnyBoxUpTheRunEndsNormally) {
    ASSERT_EQ(std::system("command -v xdotool >/dev/null"), 0) << "xdotool is needed";
    struct Case {
        const char* what;
        bool cleanBefore; // no question about the last run at the login
        bool tip;
        std::function<std::string()> bringUp; // the window up when the signal comes
    };
    const Case cases[] = {
        {"the login dialog", true, false, [this] { return WaitForWindow("系统登录"); }},
        // The login goes on once the box is cancelled; the tip it would open must not.
        {"the unclean-exit question inside the login", false, true,
         [this] {
             LogIn();
             return WaitForWindow("^qv$");
         }},
        {"the tip after the login", true, true,
         [this] {
             LogIn();
             return WaitForWindow("操作要点");
         }},
        {"a message box from the menu", true, false,
         [this] {
             LogIn();
             const std::string frame = WaitForWindow("管理系统");
             EXPECT_TRUE(WaitUntilGone("系统登录"));
             Keys(frame, "alt+h h"); // help topics: no help book, a box says so
             return WaitForWindow("^qv$");
         }},
        {"a modal form from the menu", true, false,
         [this] {
             LogIn();
             const std::string frame = WaitForWindow("管理系统");
             EXPECT_TRUE(WaitUntilGone("系统登录"));
             Keys(frame, "alt+h a");
             return WaitForWindow("^版本$");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.cleanBefore)
            ASSERT_TRUE(CShutdown::WriteCleanExitMarker());
        else
            CSettingFiles::DeleteSettingFile("noerro");
        if (!c.tip) ShowNoTipAtStart();
        Start();
        ASSERT_TRUE(WaitUntilRunning());
        ASSERT_FALSE(c.bringUp().empty());
        ASSERT_EQ(::kill(pid_, SIGTERM), 0);
        int status = Wait(60s);
        ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
        EXPECT_EQ(WEXITSTATUS(status), 0);
        EXPECT_TRUE(CleanExitMarked());
        EXPECT_TRUE(WorkingCopies().empty());
        EXPECT_EQ(Ledger(), std::vector<wxString>{U("张三")});
        {
            auto profile = OpenAppProfile();
            profile->DeleteEntry("Tip/StartUp");
            profile->Flush();
        }
    }
}

} // namespace
