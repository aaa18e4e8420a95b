#include "app_fixture.h"

#include "app/qv_app.h"
#include "platform/files.h"
#include "platform/gbk.h"
#include "platform/paths.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/toplevel.h>

namespace {

// One wx application for the whole test program, the program's own class.
class WxEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        wxApp::SetInstance(new CQvApp);
        static char name[] = "app_tests";
        static char* argv[] = {name, nullptr};
        int argc = 1;
        ASSERT_TRUE(wxEntryStart(argc, argv));
        wxInitAllImageHandlers();
        // A failed wx check fails the test instead of opening a dialog.
        wxSetAssertHandler([](const wxString& file, int line, const wxString&, const wxString& cond,
                              const wxString& msg) {
            ADD_FAILURE() << file << ":" << line << ": " << cond << " " << msg;
        });
    }
    void TearDown() override { wxEntryCleanup(); }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new WxEnvironment);

} // namespace

void Pump(int rounds) {
    for (int i = 0; i < rounds; ++i) {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->Yield(true);
        wxTheApp->ProcessIdle();
    }
}

void ProgramFolderTest::SetUp() {
    char pattern[] = "/tmp/qv_app_XXXXXX";
    folder_ = ::mkdtemp(pattern);
    char cwd[4096];
    oldDir_ = ::getcwd(cwd, sizeof cwd) ? cwd : "/";
    platform::SetProgramFolder(folder_);
    ::setenv("QV_SYSDIR", Path("sys").c_str(), 1);
    platform::CreateFolders(Path("Picture"));
    platform::CreateFolders(Path("Data"));
    ASSERT_EQ(::chdir(folder_.c_str()), 0);
}

void ProgramFolderTest::TearDown() {
    for (wxWindow* window : wxTopLevelWindows)
        window->Destroy();
    Pump();
    EXPECT_EQ(::chdir(oldDir_.c_str()), 0);
    std::filesystem::remove_all(folder_);
}

std::string ProgramFolderTest::Path(const std::string& relative) const {
    return platform::JoinPath(folder_, relative);
}

void ProgramFolderTest::WriteGbkFile(const std::string& relative, const std::string& utf8) {
    ASSERT_TRUE(platform::WriteFileAtomic(Path(relative), platform::Utf8ToGbk(utf8)));
}
