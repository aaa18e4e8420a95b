#include "app/main_frame.h"
#include "app/qv_app.h"
#include "app/text_view.h"
#include "common/program_folder.h"

#include <gtest/gtest.h>
#include <wx/frame.h>

namespace {

TEST(CentredPicture, CentredAndCutOnEverySide) {
    EXPECT_EQ(CentredPicturePosition(wxSize(400, 300), wxSize(200, 100)), wxPoint(100, 100));
    EXPECT_EQ(CentredPicturePosition(wxSize(100, 100), wxSize(300, 200)), wxPoint(-100, -50));
    EXPECT_EQ(CentredPicturePosition(wxSize(100, 100), wxSize(101, 103)), wxPoint(0, -1));
}

class TextViewTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        CMainFrame::RegisterForm(FormKind::Login,
                                 [this](CMainFrame&, int, const wxString&) { ++logins_; });
    }
    void TearDown() override {
        CMainFrame::RegisterForm(FormKind::Login, nullptr);
        ProgramFolderTest::TearDown();
    }
    int logins_ = 0;
};

// While the picture is switched off the pane neither draws it nor asks for the login;
// switched on again, the next paint asks once.
TEST_F(TextViewTest, LoginWaitsForThePictureToBeShown) {
    auto* app = static_cast<CQvApp*>(wxTheApp);
    ASSERT_TRUE(app->StartUp());
    CTextView* view = app->m_pMainFrame->GetTextView();
    view->SetPictureMode(3);
    view->m_bLoginShown = false;
    Pump(10);
    logins_ = 0;
    view->Refresh();
    view->Update();
    Pump();
    EXPECT_EQ(logins_, 0);
    EXPECT_FALSE(view->m_bLoginShown);
    view->SetPictureMode(0);
    view->Update();
    Pump();
    view->Refresh();
    view->Update();
    Pump();
    EXPECT_EQ(logins_, 1);
}

TEST_F(TextViewTest, EmptyOtherFilesFallsBackToTheStartUpPicture) {
    WriteGbkFile("Picture/OtherFiles", std::string("   \n") + std::string(1019, '\0'));
    auto* frame = new wxFrame(nullptr, wxID_ANY, "view");
    EXPECT_EQ((new CTextView(frame))->GetPicturePath(), "Picture/setup.BMP");
}

} // namespace
