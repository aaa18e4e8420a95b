// Start-up time: from launching qv to its login dialog, on a default account set as
// the first login leaves it, against launching a minimal wx program that shows one
// empty frame. Both end themselves once they are up (qv through --exit-at-login),
// so each figure is launch to exit. Needs an X display (xvfb-run -a). Prints the
// best of a few runs in seconds and the ratio.
//
//   startup_bench [--runs N]
#include "app/first_run.h"
#include "app/startup_after_login.h"
#include "data/main_frame_data.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/program_lock.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>
#include <wx/app.h>
#include <wx/frame.h>

extern char** environ;

namespace {

// The comparison program: one empty frame, ended once it has painted.
class EmptyFrameApp : public wxApp {
public:
    bool OnInit() override {
        auto* frame = new wxFrame(nullptr, wxID_ANY, "empty");
        frame->Bind(wxEVT_PAINT, [frame](wxPaintEvent& event) {
            event.Skip();
            frame->CallAfter([] {
                std::fflush(nullptr);
                std::_Exit(0);
            });
        });
        frame->Show();
        return true;
    }
};

// Seconds from launch to exit; negative when the program failed.
double Launch(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    std::vector<std::string> copy = args;
    for (std::string& arg : copy)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
    // A program stopped by a message box never gets there: it is ended after a while.
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() - start > std::chrono::seconds(60)) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? took.count() : -1;
}

double Best(const std::vector<std::string>& args, int runs) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        double took = Launch(args);
        if (took < 0) return -1;
        best = std::min(best, took);
    }
    return best;
}

// A program folder with the default set after its first login, in root.
bool MakeProgramFolder(const std::string& root) {
    const std::string home = root + "/home";
    ::setenv("QV_SYSDIR", (root + "/sys").c_str(), 1);
    platform::SetProgramFolder(home);
    std::filesystem::create_directories(home);
    if (::chdir(home.c_str()) != 0) return false;
    platform::ScriptedMessageBoxes boxes;
    wxString error;
    if (!CProgramFolderSetup::Create("admin", "bench", &error)) {
        std::fprintf(stderr, "program folder: %s\n", error.utf8_string().c_str());
        return false;
    }
    CMainFrameData frame;
    bool started = false;
    CStartupAfterLogin(frame, started).SetUpFirstRun();
    // The folder is made: the lock its writes took goes, so the program can start there.
    platform::UnlockProgramFolder();
    return !CStartupAfterLogin::IsFirstRunPending();
}

} // namespace

wxIMPLEMENT_APP_NO_MAIN(EmptyFrameApp);

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--empty-frame") == 0) return wxEntry(argc, argv);
    int runs = 3;
    if (argc > 2 && std::strcmp(argv[1], "--runs") == 0) runs = std::max(1, std::atoi(argv[2]));
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "startup_bench needs an X display (run it under xvfb-run -a)\n");
        return 1;
    }

    char name[] = "/tmp/qv-startup-bench-XXXXXX";
    const std::string root = ::mkdtemp(name);
    if (!MakeProgramFolder(root)) return 1;

    const std::string self = std::filesystem::canonical("/proc/self/exe").string();
    const std::string qv = std::filesystem::path(self).parent_path() / "qv";
    const std::vector<std::string> empty = {self, "--empty-frame"};
    const std::vector<std::string> login = {qv, "--home", root + "/home", "--exit-at-login"};
    Launch(empty); // warm the file cache for both
    Launch(login);
    const double frame = Best(empty, runs);
    const double start = Best(login, runs);
    std::filesystem::remove_all(root);
    if (frame < 0 || start < 0) {
        std::fprintf(stderr, "a program did not start and end cleanly\n");
        return 1;
    }
    std::printf("empty wx frame      %.3f s\n", frame);
    std::printf("qv to login dialog  %.3f s\n", start);
    std::printf("ratio               %.2f (aim: under 3)\n", start / frame);
    return 0;
}
