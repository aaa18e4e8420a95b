// One wx application for the whole test program, the program's own class, so
// window tests of the forms run as in the program. Linked as an object file: it
// registers itself with GoogleTest.
#include "app/qv_app.h"

#include <gtest/gtest.h>
#include <wx/image.h>
#include <wx/init.h>

namespace {

class WxEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
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
    void TearDown() override { wxEntryCleanup(); }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new WxEnvironment);

} // namespace
