#include "app/splash_window.h"
#include "common/program_folder.h"
#include "res/setup_picture.h"

#include <gtest/gtest.h>
#include <wx/weakref.h>

namespace {

using SplashWindowTest = ProgramFolderTest;

TEST_F(SplashWindowTest, ShowsThePictureIgnoresCloseAndEndsOnHide) {
    ASSERT_TRUE(res::WriteSetupPicture(U(Path("Picture/setup.BMP").c_str())));
    wxWeakRef<CSplashWindow> splash(new CSplashWindow("Picture/setup.BMP"));
    ASSERT_TRUE(splash->HasPicture());
    splash->ShowNow();
    EXPECT_TRUE(splash->IsShown());
    Pump();
    EXPECT_EQ(splash->GetSize(), wxSize(480, 300));

    splash->Close(); // Alt+F4 and the like
    Pump();
    ASSERT_TRUE(splash);
    EXPECT_TRUE(splash->IsShown());

    splash->HideSplash();
    Pump();
    EXPECT_FALSE(splash);
}

TEST_F(SplashWindowTest, MissingPictureShowsNothing) {
    wxWeakRef<CSplashWindow> splash(new CSplashWindow("Picture/setup.BMP"));
    EXPECT_FALSE(splash->HasPicture());
    splash->ShowNow();
    EXPECT_FALSE(splash->IsShown());
    splash->HideSplash();
    Pump();
    EXPECT_FALSE(splash);
}

// The program finds its picture however the file name is spelt on disk.
TEST_F(SplashWindowTest, PictureFoundIgnoringCase) {
    ASSERT_TRUE(res::WriteSetupPicture(U(Path("Picture/SETUP.bmp").c_str())));
    auto* splash = new CSplashWindow("Picture/setup.BMP");
    EXPECT_TRUE(splash->HasPicture());
    splash->HideSplash();
}

} // namespace
