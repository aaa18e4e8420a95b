#include "app/item_pick_dlg.h"
#include "app/main_frame.h"
#include "app/owner_notice.h"
#include "common/program_folder.h"

#include <gtest/gtest.h>
#include <vector>
#include <wx/app.h>
#include <wx/listctrl.h>

namespace {

struct Notice {
    long wParam;
    long lParam;
    wxString text;
};

// A form window that records the notices reaching it.
class NoticeReceiver : public wxFrame {
public:
    NoticeReceiver() : wxFrame(nullptr, wxID_ANY, "owner") {
        Bind(qvEVT_OWNER_NOTICE, [this](COwnerNoticeEvent& e) {
            notices.push_back({e.GetWParam(), e.GetLParam(), e.GetText()});
        });
    }
    std::vector<Notice> notices;
};

class ItemPickTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        CMainFrame::RegisterForm(FormKind::Login, nullptr);
        frame_ = new CMainFrame;
        wxTheApp->SetTopWindow(frame_);
        owner_ = new NoticeReceiver;
        frame_->m_hPickTarget = owner_;
        pick_ = new CItemPickDlg;
        for (const char* text : {"京A12345  ", "京A12399", "京B00001 "})
            pick_->AddItem(U(text));
        Pump();
    }

    // A left click on the list's inner window at row's place (row -1: below the rows).
    void ClickRow(long row, wxEventType type = wxEVT_LEFT_UP) {
        wxWindow* inner = pick_->m_list->GetChildren().GetLast()->GetData();
        if (row >= 0)
            pick_->m_list->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
        wxMouseEvent up(type);
        up.SetEventObject(inner);
        inner->GetEventHandler()->ProcessEvent(up);
        Pump();
    }

    void PressEnter() {
        wxKeyEvent key(wxEVT_CHAR_HOOK);
        key.m_keyCode = WXK_RETURN;
        key.SetEventObject(pick_);
        pick_->GetEventHandler()->ProcessEvent(key);
        Pump();
    }

    CMainFrame* frame_ = nullptr;
    NoticeReceiver* owner_ = nullptr;
    CItemPickDlg* pick_ = nullptr;
};

TEST_F(ItemPickTest, RowsKeepTheirOrderWithoutTrailingBlanks) {
    ASSERT_EQ(pick_->m_list->GetItemCount(), 3);
    EXPECT_EQ(pick_->m_list->GetItemText(0), U("京A12345"));
    EXPECT_EQ(pick_->m_list->GetItemText(2), U("京B00001"));
    EXPECT_EQ(pick_->GetTitle(), U("项目选择"));
    EXPECT_TRUE(pick_->IsShown());
    pick_->DeleteAllItems();
    EXPECT_EQ(pick_->m_list->GetItemCount(), 0);
}

// A click chooses the marked row at once; with none marked, row 0. Every choice is
// followed by a close notice without a text, and the list hides but stays.
TEST_F(ItemPickTest, ClickChoosesTheMarkedRowOrRowZero) {
    ClickRow(1);
    ASSERT_EQ(owner_->notices.size(), 2u);
    EXPECT_EQ(owner_->notices[0].lParam, CItemPickDlg::kChosen);
    EXPECT_EQ(owner_->notices[0].wParam, COwnerNoticeEvent::kText);
    EXPECT_EQ(owner_->notices[0].text, U("京A12399"));
    EXPECT_EQ(owner_->notices[1].wParam, 0);
    EXPECT_EQ(owner_->notices[1].lParam, CItemPickDlg::kClose);
    EXPECT_FALSE(pick_->IsShown());

    owner_->notices.clear();
    pick_->m_list->SetItemState(1, 0, wxLIST_STATE_SELECTED);
    ClickRow(-1, wxEVT_LEFT_DCLICK);
    ASSERT_EQ(owner_->notices.size(), 2u);
    EXPECT_EQ(owner_->notices[0].text, U("京A12345"));
}

// The target is read when the notices are posted: another form that took the pick
// target meanwhile gets them; without a target nothing goes anywhere.
TEST_F(ItemPickTest, NoticesGoToTheTargetOfTheMomentOfPosting) {
    auto* other = new NoticeReceiver;
    frame_->m_hPickTarget = other;
    ClickRow(0);
    EXPECT_TRUE(owner_->notices.empty());
    EXPECT_EQ(other->notices.size(), 2u);

    other->Destroy();
    Pump();
    EXPECT_EQ(frame_->m_hPickTarget.get(), nullptr);
    ClickRow(0); // posts to nobody, no crash
}

// Enter as the first input that reaches the list does nothing; the next one chooses
// when the list has the focus.
TEST_F(ItemPickTest, FirstEnterNeverChooses) {
    pick_->m_list->SetFocus();
    Pump();
    PressEnter();
    EXPECT_TRUE(owner_->notices.empty());
    if (wxWindow::FindFocus() == nullptr) GTEST_SKIP() << "no keyboard focus on this display";
    PressEnter();
    ASSERT_EQ(owner_->notices.size(), 2u);
    EXPECT_EQ(owner_->notices[0].text, U("京A12345"));
}

// The owner moving the user into the list: the row under the top one is marked and
// Enter chooses it at once.
TEST_F(ItemPickTest, EnterListMarksTheSecondVisibleRow) {
    pick_->EnterList();
    Pump();
    EXPECT_EQ(pick_->m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), 1);
    if (wxWindow::FindFocus() == nullptr) GTEST_SKIP() << "no keyboard focus on this display";
    PressEnter();
    ASSERT_EQ(owner_->notices.size(), 2u);
    EXPECT_EQ(owner_->notices[0].text, U("京A12399"));
}

// The right button in the focused list closes it without a choice.
TEST_F(ItemPickTest, RightButtonClosesWithoutAChoice) {
    pick_->m_list->SetFocus();
    Pump();
    if (wxWindow::FindFocus() == nullptr) GTEST_SKIP() << "no keyboard focus on this display";
    ClickRow(-1, wxEVT_RIGHT_DOWN);
    ASSERT_EQ(owner_->notices.size(), 1u);
    EXPECT_EQ(owner_->notices[0].wParam, COwnerNoticeEvent::kText);
    EXPECT_EQ(owner_->notices[0].lParam, CItemPickDlg::kClose);
    EXPECT_TRUE(pick_->IsShown());
}

} // namespace
