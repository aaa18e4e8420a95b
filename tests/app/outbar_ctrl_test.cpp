#include "app/outbar_ctrl.h"
#include "common/program_folder.h"

#include <gtest/gtest.h>
#include <memory>
#include <wx/frame.h>

namespace {

// A bar in a frame of its own, recording the notifications it posts to the frame.
class OutBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        frame_ = new wxFrame(nullptr, wxID_ANY, "bar", wxDefaultPosition, wxSize(200, 300));
        bar_ = new CGfxOutBarCtrl;
        ASSERT_TRUE(bar_->Create(frame_, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0x1FC));
        frame_->Bind(EVT_OUTBAR_NOTIFY, [this](wxNotifyEvent& event) {
            notices_.emplace_back(event.GetInt(), event.GetExtraLong());
            if (veto_) event.Veto();
        });
        frame_->Show();
        bar_->SetSize(frame_->GetClientSize());
        Pump();
    }
    void TearDown() override {
        frame_->Destroy();
        Pump();
    }

    void Press(const wxPoint& at, const wxPoint& release) {
        wxMouseEvent down(wxEVT_LEFT_DOWN);
        down.SetPosition(at);
        bar_->GetEventHandler()->ProcessEvent(down);
        wxMouseEvent up(wxEVT_LEFT_UP);
        up.SetPosition(release);
        bar_->GetEventHandler()->ProcessEvent(up);
        Pump();
    }
    void Click(const wxRect& rect) {
        wxPoint centre(rect.x + rect.width / 2, rect.y + rect.height / 2);
        Press(centre, centre);
    }

    wxFrame* frame_ = nullptr;
    CGfxOutBarCtrl* bar_ = nullptr;
    // Presses the left button at from, moves through the given points and releases
    // at the last one.
    void Drag(const wxPoint& from, const std::vector<wxPoint>& path) {
        wxMouseEvent down(wxEVT_LEFT_DOWN);
        down.SetPosition(from);
        bar_->GetEventHandler()->ProcessEvent(down);
        for (const wxPoint& point : path) {
            wxMouseEvent move(wxEVT_MOTION);
            move.SetPosition(point);
            move.m_leftDown = true;
            bar_->GetEventHandler()->ProcessEvent(move);
        }
        wxMouseEvent up(wxEVT_LEFT_UP);
        up.SetPosition(path.back());
        bar_->GetEventHandler()->ProcessEvent(up);
        Pump();
    }
    std::vector<wxString> Labels() const {
        std::vector<wxString> labels;
        for (int i = 0; i < bar_->GetItemCount(); ++i)
            labels.push_back(bar_->GetItemText(i));
        return labels;
    }
    static wxPoint Centre(const wxRect& rect) {
        return wxPoint(rect.x + rect.width / 2, rect.y + rect.height / 2);
    }
    // A point in the gap under item index.
    wxPoint GapUnder(int index) const {
        wxRect item = bar_->GetItemRect(bar_->GetSelFolder(), index);
        return wxPoint(item.x + item.width / 2, item.GetBottom() + 3);
    }

    std::vector<std::pair<int, long>> notices_;
    bool veto_ = false;
};

TEST_F(OutBarTest, WithoutFoldersThereIsNoChild) {
    EXPECT_EQ(bar_->GetFolderChild(), nullptr);
    EXPECT_EQ(bar_->GetFolderCount(), 0);
    int index;
    EXPECT_EQ(bar_->HitTest(wxPoint(10, 10), index), CGfxOutBarCtrl::htNothing);
}

TEST_F(OutBarTest, RemovingFoldersKeepsAnOpenOne) {
    for (const char* name : {"a", "b", "c", "d"})
        bar_->AddFolder(name, 0);
    bar_->SetSelFolder(0);
    bar_->RemoveFolder(0);
    EXPECT_EQ(bar_->GetSelFolder(), 0);
    bar_->AddFolder("e", 0); // b c d e
    bar_->SetSelFolder(3);
    bar_->RemoveFolder(1);
    EXPECT_EQ(bar_->GetSelFolder(), 0);
    bar_->SetSelFolder(2);
    bar_->RemoveFolder(2); // the open, last one: the one before opens
    EXPECT_EQ(bar_->GetSelFolder(), 1);
}

TEST_F(OutBarTest, ItemClickAndFolderClick) {
    int first = bar_->AddFolder("一", 0);
    bar_->AddFolder("二", 0);
    for (int i = 0; i < 3; ++i)
        bar_->InsertItem(first, -1, wxString::Format("item%d", i), -1, 0);
    EXPECT_EQ(bar_->InsertItem(first, 0, "top", -1, 0), 0);
    bar_->SetSelFolder(0);
    Pump();
    notices_.clear();

    Click(bar_->GetIconRect(0, 2));
    Click(bar_->GetFolderRect(0)); // the open folder: nothing
    Click(bar_->GetFolderRect(1));
    EXPECT_EQ(notices_, (std::vector<std::pair<int, long>>{{1, 2}, {5, 1}}));
    EXPECT_EQ(bar_->GetSelFolder(), 1);
    EXPECT_EQ(bar_->GetItemText(0), "");
}

TEST_F(OutBarTest, FolderCommandMode) {
    bar_->AddFolder(U("帮助"), 0);
    bar_->AddFolder(U("关闭"), 1);
    bar_->SetFolderCommandMode(true);
    bar_->SetSelFolder(0);
    Pump();
    notices_.clear();
    Click(bar_->GetFolderRect(1));
    Click(bar_->GetFolderRect(0));
    EXPECT_EQ(notices_, (std::vector<std::pair<int, long>>{{5, 900}, {5, 999}}));
    EXPECT_EQ(bar_->GetSelFolder(), 0);
}

TEST_F(OutBarTest, ArrowsScrollALongList) {
    int folder = bar_->AddFolder("f", 0);
    for (int i = 0; i < 12; ++i)
        bar_->InsertItem(folder, -1, wxString::Format("%d", i), -1, 0);
    bar_->SetSelFolder(folder);
    Pump();
    EXPECT_FALSE(bar_->IsUpArrowShown());
    ASSERT_TRUE(bar_->IsDownArrowShown());
    int clicks = 0;
    while (bar_->IsDownArrowShown() && clicks < 20) {
        Click(bar_->GetArrowRect(false));
        ++clicks;
    }
    EXPECT_LT(clicks, 12);
    EXPECT_FALSE(bar_->IsDownArrowShown());
    EXPECT_TRUE(bar_->IsUpArrowShown());
    int first, last;
    bar_->GetVisibleRange(folder, first, last);
    EXPECT_EQ(last, 11);
    Click(bar_->GetArrowRect(true));
    bar_->GetVisibleRange(folder, first, last);
    EXPECT_EQ(first, clicks - 1);
}

TEST_F(OutBarTest, FolderChangeSlidesTheButtonsIntoPlace) {
    for (const char* name : {"a", "b", "c"})
        bar_->AddFolder(name, 0);
    const int height = bar_->GetClientSize().y, button = CGfxOutBarCtrl::kFolderHeight;
    bar_->SetSelFolder(0);
    EXPECT_EQ(bar_->GetFolderRect(2).y, height - button);
    bar_->SetSelFolder(2); // b and c slide up
    EXPECT_EQ(bar_->GetFolderRect(1).y, button - 1);
    EXPECT_EQ(bar_->GetFolderRect(2).y, 2 * button - 1);
    EXPECT_EQ(bar_->GetInsideRect().y, 3 * button - 1);
    bar_->SetSelFolder(0); // and back down
    EXPECT_EQ(bar_->GetFolderRect(1).y, height - 2 * button);
    EXPECT_EQ(bar_->GetInsideRect(),
              wxRect(0, button - 1, bar_->GetClientSize().x, height - 2 * button - (button - 1)));
}

class OutBarDragTest : public OutBarTest {
protected:
    void SetUp() override {
        OutBarTest::SetUp();
        int folder = bar_->AddFolder("f", 0);
        for (const char* label : {"a", "b", "c", "d"})
            bar_->InsertItem(folder, -1, label, -1, 0);
        bar_->SetSmallIconView(true);
        bar_->SetSelFolder(folder);
        Pump();
        notices_.clear();
    }
    wxPoint Item(int index) const { return Centre(bar_->GetItemRect(0, index)); }
    wxPoint BelowLast() const {
        wxRect inside = bar_->GetInsideRect();
        return wxPoint(inside.x + inside.width / 2, inside.GetBottom() - 2);
    }
};

TEST_F(OutBarDragTest, DroppedItemMovesBeforeTheItemUnderTheCursor) {
    Drag(Item(0), {GapUnder(0), Item(2)});
    EXPECT_EQ(notices_, (std::vector<std::pair<int, long>>{{4, 0}}));
    EXPECT_EQ(Labels(), (std::vector<wxString>{"b", "a", "c", "d"}));
    Drag(Item(3), {GapUnder(2), Item(0)});
    EXPECT_EQ(Labels(), (std::vector<wxString>{"d", "b", "a", "c"}));
}

TEST_F(OutBarDragTest, DroppedBelowTheLastItemMovesToTheEnd) {
    Drag(Item(1), {GapUnder(1), BelowLast()});
    EXPECT_EQ(Labels(), (std::vector<wxString>{"a", "c", "d", "b"}));
}

TEST_F(OutBarDragTest, DroppedOnItselfOrRefusedChangesNothing) {
    Drag(Item(1), {GapUnder(1), Item(1)});
    EXPECT_TRUE(notices_.empty());
    veto_ = true;
    Drag(Item(0), {GapUnder(0), BelowLast()});
    EXPECT_EQ(notices_.size(), 1u);
    // Released on a folder button: no place to drop.
    Drag(Item(0), {GapUnder(0), Centre(bar_->GetFolderRect(0))});
    EXPECT_EQ(notices_.size(), 1u);
    EXPECT_EQ(Labels(), (std::vector<wxString>{"a", "b", "c", "d"}));
}

TEST_F(OutBarTest, ChildWindowFillsTheItemArea) {
    auto* child = new wxWindow(bar_, wxID_ANY);
    bar_->AddFolder("items", 0);
    bar_->AddFolderBar("tree", child, 0);
    bar_->SetSelFolder(1);
    Pump();
    EXPECT_EQ(bar_->GetFolderChild(), child);
    EXPECT_TRUE(child->IsShown());
    EXPECT_EQ(child->GetRect(), bar_->GetInsideRect());
    bar_->SetSelFolder(0);
    EXPECT_FALSE(child->IsShown());
    EXPECT_EQ(bar_->GetFolderChild(1), child);
}

} // namespace
