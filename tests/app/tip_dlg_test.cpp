#include "app/app_profile.h"
#include "app/input_box.h"
#include "app/main_frame.h"
#include "app/text_view.h"
#include "app/tip_dlg.h"
#include "common/program_folder.h"
#include "platform/files.h"
#include "platform/gbk.h"
#include "platform/message_box.h"
#include "res/command_ids.h"
#include "res/control_ids.h"
#include "res/input_box_template.h"
#include "res/tip_template.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <utime.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

namespace {

using namespace res::tip;

class TipDlgTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        const char* old = std::getenv("XDG_CONFIG_HOME");
        oldConfig_ = old ? old : "";
        ::setenv("XDG_CONFIG_HOME", Path("config").c_str(), 1);
        CTipDlg::Register();
    }
    void TearDown() override {
        if (oldConfig_.empty())
            ::unsetenv("XDG_CONFIG_HOME");
        else
            ::setenv("XDG_CONFIG_HOME", oldConfig_.c_str(), 1);
        ProgramFolderTest::TearDown();
    }

    // Writes the tips file with a modification time of its own.
    void WriteTips(const std::string& text, long modified) {
        ASSERT_TRUE(platform::WriteFileAtomic(Path("tips.txt"), text));
        utimbuf times{modified, modified};
        ASSERT_EQ(::utime(Path("tips.txt").c_str(), &times), 0);
    }
    // The tip a new dialog shows; the dialog is destroyed, storing its position.
    wxString ShownTip() {
        CTipDlg dialog;
        dialog.InitDialog();
        return res::Control<wxStaticText>(&dialog, kTipText)->GetLabel();
    }
    static void Press(wxDialog& dialog, int id) {
        wxCommandEvent click(wxEVT_BUTTON, res::ToWxId(id));
        dialog.GetEventHandler()->ProcessEvent(click);
    }
    long Profile(const char* key, long fallback) {
        return OpenAppProfile()->ReadLong(key, fallback);
    }

    std::string oldConfig_;
    platform::ScriptedMessageBoxes boxes_;
};

const char* const kTips = "; comment\n"
                          "第一条要点\r\n"
                          " indented\n"
                          "\tTabbed\n"
                          "\n"
                          "Second tip\n"
                          "Third tip";

// Skipped lines never show; each new dialog goes on after the last tip shown, and
// after the last tip the first comes again.
TEST_F(TipDlgTest, TipsGoRoundAcrossDialogs) {
    WriteTips(kTips, 1000000);
    EXPECT_EQ(ShownTip(), U("第一条要点"));
    EXPECT_EQ(ShownTip(), "Second tip");
    {
        CTipDlg dialog;
        EXPECT_EQ(dialog.m_strTipText, "Third tip");
        Press(dialog, kNextButton);
        EXPECT_EQ(res::Control<wxStaticText>(&dialog, kTipText)->GetLabel(), U("第一条要点"));
        Press(dialog, kNextButton);
    }
    EXPECT_EQ(ShownTip(), "Third tip");

    // An edited file (a new modification time) starts again at its first tip.
    WriteTips(kTips, 2000000);
    EXPECT_EQ(ShownTip(), U("第一条要点"));
    EXPECT_TRUE(boxes_.Shown().empty());
}

// A tips file in the program's own code page reads as well as one in UTF-8.
TEST_F(TipDlgTest, GbkTipsFile) {
    WriteTips(platform::Utf8ToGbk("; 说明\r\n保养到期的车辆在提示栏里列出\r\n"), 1000000);
    EXPECT_EQ(ShownTip(), U("保养到期的车辆在提示栏里列出"));
}

TEST_F(TipDlgTest, ShowAtStartUpIsStoredOnlyByClose) {
    WriteTips(kTips, 1000000);
    {
        CTipDlg dialog;
        EXPECT_EQ(dialog.m_bShowAtStart, 1); // nothing stored yet
        dialog.CallAfter([&dialog] {
            res::Control<wxCheckBox>(&dialog, kShowAtStartCheck)->SetValue(false);
            dialog.EndModal(wxID_CANCEL); // Escape or the close box
        });
        dialog.ShowModal();
    }
    EXPECT_EQ(Profile("Tip/StartUp", -1), -1);
    {
        CTipDlg dialog;
        dialog.CallAfter([&dialog] {
            res::Control<wxCheckBox>(&dialog, kShowAtStartCheck)->SetValue(false);
            Press(dialog, res::IDOK);
        });
        EXPECT_EQ(dialog.ShowModal(), wxID_OK);
    }
    EXPECT_EQ(Profile("Tip/StartUp", -1), 1);
    EXPECT_EQ(CTipDlg().m_bShowAtStart, 0);
}

// A missing file, a file without tips and a stored position outside the file all
// leave a working dialog.
TEST_F(TipDlgTest, FilesWithoutTips) {
    {
        CTipDlg dialog;
        dialog.InitDialog();
        EXPECT_EQ(dialog.m_strTipText, "Tips file does not exist in the prescribed directory");
        EXPECT_FALSE(res::FindControl(&dialog, kNextButton)->IsEnabled());
    }
    EXPECT_EQ(Profile("Tip/FilePos", -1), -1); // nothing stored without a file

    WriteTips("; only a comment\n\n  \n", 1000000);
    {
        CTipDlg dialog;
        EXPECT_EQ(dialog.m_strTipText, "");
        Press(dialog, kNextButton); // goes round once and stops
        EXPECT_EQ(dialog.m_strTipText, "");
    }

    WriteTips(kTips, 1000000);
    ShownTip();
    OpenAppProfile()->Write("Tip/FilePos", 99999L);
    {
        CTipDlg dialog;
        EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"Trouble reading the tips file"});
        EXPECT_EQ(dialog.m_strTipText, "");
        Press(dialog, kNextButton);
        EXPECT_EQ(dialog.m_strTipText, U("第一条要点"));
    }
}

// The frame's commands "操作要点(&L)" and the tip command run the dialog.
TEST_F(TipDlgTest, FrameCommandsOpenTheTip) {
    WriteTips(kTips, 1000000);
    CMainFrame::RegisterForm(FormKind::Login, nullptr);
    auto* frame = new CMainFrame;
    wxTheApp->SetTopWindow(frame);
    for (int command : {ID_OPERATING_TIPS, ID_TIP_OF_THE_DAY}) {
        wxString shown;
        frame->CallAfter([&shown] {
            for (wxWindow* window : wxTopLevelWindows)
                if (auto* tip = dynamic_cast<CTipDlg*>(window); tip && tip->IsModal()) {
                    shown = tip->GetTitle();
                    tip->EndModal(wxID_CANCEL);
                }
        });
        frame->ExecuteCommand(command);
        EXPECT_EQ(shown, U("操作要点")) << command;
    }
}

// At start-up the tip follows the login once, and only while the profile wants it.
TEST_F(TipDlgTest, ShownOnceAfterTheFirstLogin) {
    WriteTips(kTips, 1000000);
    CMainFrame::RegisterForm(FormKind::Login, nullptr);
    for (long startUp : {0L, 1L}) {
        OpenAppProfile()->Write("Tip/StartUp", startUp);
        auto* frame = new CMainFrame;
        wxTheApp->SetTopWindow(frame);
        CTipDlg::ShowAfterLogin(frame);
        int shown = 0;
        wxTimer closer;
        closer.Bind(wxEVT_TIMER, [&shown](wxTimerEvent&) {
            for (wxWindow* window : wxTopLevelWindows)
                if (auto* tip = dynamic_cast<CTipDlg*>(window); tip && tip->IsModal()) {
                    ++shown;
                    tip->EndModal(wxID_CANCEL);
                }
        });
        closer.Start(20);
        Pump(3);
        EXPECT_EQ(shown, 0); // no login yet
        frame->GetTextView()->m_bLoginShown = true;
        for (int i = 0; i < 20; ++i) {
            frame->GetEventHandler()->ProcessEvent(*std::make_unique<wxIdleEvent>());
            wxMilliSleep(5);
            Pump(1);
        }
        closer.Stop();
        EXPECT_EQ(shown, startUp == 0 ? 1 : 0) << startUp;
        frame->Destroy();
        Pump();
    }
}

TEST_F(TipDlgTest, InputBoxTakesTheLineOnlyWhenConfirmed) {
    using namespace res::input_box;
    for (int button : {res::IDOK, res::IDCANCEL}) {
        CInputBoxDlg dialog;
        dialog.m_strPrompt = U("调拨去向");
        dialog.CallAfter([&dialog, button] {
            EXPECT_EQ(res::Control<wxStaticText>(&dialog, kPrompt)->GetLabel(), U("调拨去向"));
            res::Control<wxTextCtrl>(&dialog, kInputEdit)->SetValue(U("二号库"));
            Press(dialog, button);
        });
        const int result = dialog.ShowModal();
        EXPECT_EQ(result, button == res::IDOK ? wxID_OK : wxID_CANCEL);
        EXPECT_EQ(dialog.m_strInput, button == res::IDOK ? U("二号库") : wxString());
    }
}

} // namespace
