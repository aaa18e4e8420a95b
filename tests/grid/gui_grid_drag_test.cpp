// The drop target hands drags over the grid to the grid; the drag-select timer
// follows a pointer outside the window.
#include "gui_test_app.h"

#include "grid/grid_drop_handler.h"

#include <wx/app.h>

using GridDrag = GridWindowTest;

TEST_F(GridDrag, DropTargetRegistersOnceAndOnlyForAGrid) {
    CGridCtrl* grid = MakeGrid(6, 4);
    auto* handler = new CGridDropHandler;
    EXPECT_FALSE(handler->Register(nullptr));
    EXPECT_FALSE(handler->Register(frame));
    ASSERT_TRUE(handler->Register(grid)); // the grid owns it from here
    EXPECT_FALSE(handler->Register(grid));
    EXPECT_EQ(grid->GetDropTarget(), handler);

    wxRect rect;
    ASSERT_TRUE(grid->GetCellRect(2, 2, &rect));
    const wxPoint inside = rect.GetPosition() + wxPoint(3, 3);
    // Drag and drop off: no effect.
    EXPECT_EQ(handler->OnEnter(inside.x, inside.y, wxDragMove), wxDragNone);
    grid->m_bDragDropOn = true;
    grid->SetEditMode(true);
    EXPECT_EQ(handler->OnEnter(inside.x, inside.y, wxDragMove), wxDragMove);
    EXPECT_TRUE(grid->GetItemState(2, 2) & GVIS_DROPHILITED);
    ASSERT_TRUE(grid->GetCellRect(3, 1, &rect));
    EXPECT_EQ(handler->OnDragOver(rect.x + 3, rect.y + 3, wxDragMove), wxDragMove);
    EXPECT_FALSE(grid->GetItemState(2, 2) & GVIS_DROPHILITED);
    EXPECT_TRUE(grid->GetItemState(3, 1) & GVIS_DROPHILITED);
    grid->SetItemState(4, 1, GVIS_READONLY);
    ASSERT_TRUE(grid->GetCellRect(4, 1, &rect));
    EXPECT_EQ(handler->OnDragOver(rect.x + 3, rect.y + 3, wxDragMove), wxDragNone);
    handler->OnLeave();
    EXPECT_FALSE(grid->GetItemState(3, 1) & GVIS_DROPHILITED);
    // Over the headings: nothing to drop on.
    EXPECT_EQ(handler->OnDragOver(3, 3, wxDragMove), wxDragNone);
}

TEST_F(GridDrag, TimerFollowsAPointerBelowTheWindow) {
    CGridCtrl* grid = MakeGrid(100, 4, wxSize(300, 200));
    grid->SetFocusCell(5, 2);
    grid->WarpPointer(150, grid->GetClientSize().GetHeight() + 30);
    wxTheApp->Yield(true);
    const wxPoint pointer = grid->ScreenToClient(wxGetMousePosition());
    if (pointer.y <= grid->GetClientSize().GetHeight()) GTEST_SKIP() << "pointer cannot be moved";
    wxTimerEvent tick(grid->DragTimer());
    grid->GetEventHandler()->ProcessEvent(tick);
    EXPECT_EQ(grid->GetFocusCell(), GridCellId(6, 2));
    grid->GetEventHandler()->ProcessEvent(tick);
    EXPECT_EQ(grid->GetFocusCell(), GridCellId(7, 2));
}
