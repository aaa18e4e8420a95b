#include "app/about_dlg.h"
#include "app/hyper_link.h"
#include "app/main_frame.h"
#include "common/program_folder.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "res/about_template.h"
#include "res/command_ids.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/stattext.h>

namespace {

class HyperLinkTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        window_ = new wxFrame(nullptr, wxID_ANY, "links");
        previous_ = CHyperLink::SetOpener([this](const wxString& target) {
            opened_.push_back(target);
            return openWorks_;
        });
    }
    void TearDown() override {
        CHyperLink::SetOpener(previous_);
        ProgramFolderTest::TearDown();
    }

    static void Mouse(CHyperLink* link, wxEventType type) {
        wxMouseEvent event(type);
        event.SetEventObject(link);
        link->GetEventHandler()->ProcessEvent(event);
    }
    static void Click(CHyperLink* link) {
        Mouse(link, wxEVT_LEFT_DOWN);
        Mouse(link, wxEVT_LEFT_UP);
    }

    wxFrame* window_ = nullptr;
    std::vector<wxString> opened_;
    bool openWorks_ = true;
    CHyperLink::Opener previous_;
    platform::ScriptedMessageBoxes boxes_;
};

// An address is opened by the desktop and the link turns to the visited colour; a
// failure says so and leaves the link unvisited.
TEST_F(HyperLinkTest, AddressesOpenAndAreMarkedVisited) {
    auto* link =
        new CHyperLink(window_, wxID_ANY, "http://localhost/qv", wxPoint(5, 5), wxSize(400, 40));
    EXPECT_EQ(link->GetSize(), link->GetTextExtent("http://localhost/qv")); // fitted
    EXPECT_EQ(link->CurrentColour(), CHyperLink::kColourLink);

    openWorks_ = false;
    Click(link);
    EXPECT_EQ(opened_, std::vector<wxString>{"http://localhost/qv"});
    ASSERT_EQ(boxes_.Texts().size(), 1u);
    EXPECT_EQ(boxes_.Texts()[0].rfind("Can't open link:\n\n", 0), 0u);
    EXPECT_FALSE(link->IsVisited());

    openWorks_ = true;
    link->SetURL("mailto:shop@localhost");
    Click(link);
    EXPECT_EQ(opened_.back(), "mailto:shop@localhost");
    EXPECT_TRUE(link->IsVisited());
    wxFocusEvent lost(wxEVT_KILL_FOCUS);
    link->GetEventHandler()->ProcessEvent(lost);
    EXPECT_EQ(link->CurrentColour(), CHyperLink::kColourVisited);
}

// A target that is no address opens the help, never the desktop.
TEST_F(HyperLinkTest, OtherTargetsOpenTheHelp) {
    auto* link = new CHyperLink(window_, wxID_ANY, U("操作手册"), wxPoint(5, 5), wxSize(200, 20));
    Click(link);
    EXPECT_TRUE(opened_.empty());
    EXPECT_EQ(boxes_.Texts(),
              std::vector<std::string>{
                  "没有找到帮助文件 help.htb。\n本系统没有附带帮助内容；帮助文件应放在程序目录 " +
                  platform::ProgramFolder() + " 中。"});
}

TEST_F(HyperLinkTest, HoverColourOnlyWhileTheMouseIsOver) {
    auto* link = new CHyperLink(window_, wxID_ANY, "www.localhost", wxPoint(5, 5), wxSize(200, 20));
    link->m_nStyle |= CHyperLink::kHoverColour;
    Mouse(link, wxEVT_ENTER_WINDOW);
    EXPECT_EQ(link->CurrentColour(), CHyperLink::kColourHover);
    Mouse(link, wxEVT_LEAVE_WINDOW);
    EXPECT_EQ(link->CurrentColour(), CHyperLink::kColourLink);
}

TEST_F(HyperLinkTest, AboutCommandShowsTheTitleLinksAndRights) {
    CMainFrame::RegisterForm(FormKind::Login, nullptr);
    CAboutDlg::Register();
    auto* frame = new CMainFrame;
    wxTheApp->SetTopWindow(frame);
    wxString title, target;
    std::vector<wxString> texts;
    frame->CallAfter([&] {
        for (wxWindow* window : wxTopLevelWindows)
            if (auto* about = dynamic_cast<CAboutDlg*>(window); about && about->IsModal()) {
                title = about->GetTitle();
                auto* link = res::Control<CHyperLink>(about, res::about::kTitleLink);
                if (link) target = link->GetURL();
                for (wxWindow* child : about->GetChildren())
                    if (dynamic_cast<wxStaticText*>(child)) texts.push_back(child->GetLabel());
                // Neither the picture nor the text link leaves the program: both open
                // the help.
                for (int id : {res::about::kPictureLink, res::about::kHelpLink})
                    if (auto* help = res::Control<CHyperLink>(about, id)) Click(help);
                about->EndModal(wxID_OK);
            }
    });
    frame->ExecuteCommand(ID_APP_ABOUT);
    EXPECT_EQ(title, U("版本"));
    EXPECT_EQ(target, U("Norvale管理系统(V9.15)"));
    EXPECT_NE(std::find(texts.begin(), texts.end(), U("版权所有 (C) 2026 qv 开发组")), texts.end());
    EXPECT_TRUE(opened_.empty());
    EXPECT_EQ(boxes_.Texts().size(), 2u);
}

} // namespace
