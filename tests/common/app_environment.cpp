// One wx application for the whole test program, the program's own class, so
// window tests of the forms run as in the program. Linked as an object file: it
// registers itself with GoogleTest.
#include "app/qv_app.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <wx/image.h>
#include <wx/init.h>

namespace {

class WxEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        // The program keeps its profile (recent files, window places) in the user's
        // config folder: the tests keep theirs in a folder of their own.
        char pattern[] = "/tmp/qv-config-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        config_ = pattern;
        ::setenv("XDG_CONFIG_HOME", config_.c_str(), 1);
        wxApp::SetInstance(new CQvApp);
        static char name[] = "qv_tests";
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
    void TearDown() override {
        wxEntryCleanup();
        std::filesystem::remove_all(config_);
    }

private:
    std::string config_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new WxEnvironment);

} // namespace
