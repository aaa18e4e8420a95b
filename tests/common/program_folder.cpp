#include "common/program_folder.h"

#include "data/data_folders.h"
#include "platform/files.h"
#include "platform/gbk.h"
#include "platform/paths.h"
#include "platform/program_lock.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>
#include <wx/app.h>
#include <wx/toplevel.h>

void Pump(int rounds) {
    if (!wxTheApp) return;
    for (int i = 0; i < rounds; ++i) {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->Yield(true);
        wxTheApp->ProcessIdle();
    }
}

void ProgramFolderTest::SetUp() {
    char pattern[] = "/tmp/qv-test-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    root_ = pattern;
    home_ = root_ + "/home";
    sysdir_ = root_ + "/sys";
    std::filesystem::create_directories(home_ + "/Picture");
    std::filesystem::create_directories(home_ + "/Data");
    ::setenv("QV_SYSDIR", sysdir_.c_str(), 1);
    platform::SetProgramFolder(home_);
    SetAccountSet(wxString());
    std::filesystem::create_directories(g_strDataPath.utf8_string());
    char cwd[4096];
    oldDir_ = ::getcwd(cwd, sizeof cwd) ? cwd : "/";
    ASSERT_EQ(::chdir(home_.c_str()), 0);
}

void ProgramFolderTest::TearDown() {
    if (wxTheApp) {
        for (wxWindow* window : wxTopLevelWindows)
            window->Destroy();
        Pump();
    }
    EXPECT_EQ(::chdir(oldDir_.c_str()), 0);
    platform::SetProgramFolder(std::string());
    platform::UnlockProgramFolder();
    std::filesystem::remove_all(root_);
}

std::string ProgramFolderTest::Working(const std::string& name) const {
    return g_strDataPath.utf8_string() + name;
}

std::string ProgramFolderTest::Read(const std::string& path) {
    std::string bytes;
    platform::ReadFileBytes(path, bytes);
    return bytes;
}

void ProgramFolderTest::Write(const std::string& path, const std::string& bytes) {
    ASSERT_TRUE(platform::WriteFileAtomic(path, bytes)) << path;
}

void ProgramFolderTest::WriteGbkFile(const std::string& relative, const std::string& utf8) {
    Write(Path(relative), platform::Utf8ToGbk(utf8));
}
