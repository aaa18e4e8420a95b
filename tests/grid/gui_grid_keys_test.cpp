// The keyboard on the grid: moves, wraps, paging, Down in and out of edit mode,
// Delete, and keys with no focus cell.
#include "gui_test_app.h"

#include "platform/message_box.h"

using GridKeys = GridWindowTest;

TEST_F(GridKeys, RightAndLeftWrapWithinTheRow) {
    CGridCtrl* grid = MakeGrid(6, 5);
    struct Case {
        GridCellId from;
        int key;
        GridCellId to;
    } cases[] = {
        {{2, 4}, WXK_RIGHT, {2, 1}}, {{2, 1}, WXK_LEFT, {2, 4}}, {{2, 2}, WXK_RIGHT, {2, 3}},
        {{2, 2}, WXK_LEFT, {2, 1}},  {{1, 2}, WXK_UP, {1, 2}},   {{3, 2}, WXK_UP, {2, 2}},
        {{5, 3}, WXK_DOWN, {5, 3}},  {{2, 4}, WXK_TAB, {3, 1}},  {{5, 4}, WXK_TAB, {5, 4}},
    };
    for (const Case& c : cases) {
        grid->SetFocusCell(c.from);
        PressKey(grid, c.key);
        EXPECT_EQ(grid->GetFocusCell(), c.to)
            << c.from.row << "," << c.from.col << " key " << c.key;
    }
    grid->SetFocusCell(3, 1);
    PressKey(grid, WXK_TAB, true);
    EXPECT_EQ(grid->GetFocusCell(), GridCellId(2, 4));
    grid->SetFocusCell(1, 1);
    PressKey(grid, WXK_TAB, true);
    EXPECT_EQ(grid->GetFocusCell(), GridCellId(1, 1));
    EXPECT_EQ(grid->GetRowCount(), 6);
}

TEST_F(GridKeys, FocusMovesNotifyTheOwnerAndMarkTheCell) {
    CGridCtrl* grid = MakeGrid(6, 5);
    grid->SetFocusCell(2, 2);
    frame->notes.clear();
    PressKey(grid, WXK_DOWN);
    ASSERT_EQ(frame->notes.size(), 2u);
    EXPECT_EQ(frame->notes[0].code, GVN_SELCHANGING);
    EXPECT_EQ(frame->notes[0].row, 2);
    EXPECT_EQ(frame->notes[1].code, GVN_SELCHANGED);
    EXPECT_EQ(frame->notes[1].row, 3);
    EXPECT_FALSE(grid->GetItemState(2, 2) & GVIS_FOCUSED);
    EXPECT_TRUE(grid->GetItemState(3, 2) & GVIS_FOCUSED);
    EXPECT_EQ(CGridCtrl::GetCurrentGrid(), grid);
}

TEST_F(GridKeys, DownAppendsOnlyInEditMode) {
    CGridCtrl* grid = MakeGrid(4, 3);
    grid->SetFocusCell(3, 1);
    PressKey(grid, WXK_DOWN);
    EXPECT_EQ(grid->GetRowCount(), 4);
    EXPECT_EQ(grid->GetFocusCell(), GridCellId(3, 1));

    grid->SetEditMode(true);
    PressKey(grid, WXK_DOWN);
    EXPECT_EQ(grid->GetRowCount(), 5);
    EXPECT_EQ(grid->GetItemText(4, 0), "4");
    EXPECT_EQ(grid->GetFocusCell(), GridCellId(4, 1));
}

TEST_F(GridKeys, DeleteEmptiesOnlyAnEditableCell) {
    CGridCtrl* grid = MakeGrid(4, 3);
    grid->SetFocusCell(2, 2);
    PressKey(grid, WXK_DELETE);
    EXPECT_EQ(grid->GetItemText(2, 2), "2,2");

    grid->SetEditMode(true);
    grid->SetItemState(2, 2, grid->GetItemState(2, 2) | GVIS_READONLY);
    PressKey(grid, WXK_DELETE);
    EXPECT_EQ(grid->GetItemText(2, 2), "2,2");

    grid->SetItemState(2, 2, grid->GetItemState(2, 2) & ~GVIS_READONLY);
    frame->notes.clear();
    PressKey(grid, WXK_DELETE);
    EXPECT_EQ(grid->GetItemText(2, 2), "");
    EXPECT_EQ(grid->GetItemText(2, 1), "2,1");
    EXPECT_TRUE(grid->GetItemState(2, 2) & GVIS_MODIFIED);
    ASSERT_EQ(frame->notes.size(), 2u);
    EXPECT_EQ(frame->notes[0].code, GVN_BEGINLABELEDIT);
    EXPECT_EQ(frame->notes[1].code, GVN_ENDLABELEDIT);
}

TEST_F(GridKeys, PagingHomeAndEnd) {
    CGridCtrl* grid = MakeGrid(300, 4);
    grid->SetFocusCell(1, 1);
    PressKey(grid, WXK_PAGEDOWN);
    const int afterPage = grid->GetFocusCell().row;
    EXPECT_GT(afterPage, 5);
    EXPECT_EQ(grid->GetTopleftNonFixedCell().row, afterPage);
    PressKey(grid, WXK_END);
    EXPECT_EQ(grid->GetFocusCell().row, 299);
    EXPECT_TRUE(grid->IsCellVisible(299, 1));
    PressKey(grid, WXK_PAGEDOWN); // cannot scroll further: the last row
    EXPECT_EQ(grid->GetFocusCell().row, 299);
    PressKey(grid, WXK_HOME);
    EXPECT_EQ(grid->GetFocusCell().row, 1);
    EXPECT_EQ(grid->GetTopleftNonFixedCell().row, 1);

    CGridCtrl* small = MakeGrid(5, 3, wxSize(300, 400));
    small->SetFocusCell(2, 1);
    PressKey(small, WXK_PAGEDOWN);
    EXPECT_EQ(small->GetFocusCell().row, 4);
}

TEST_F(GridKeys, ArrowsScrollTheFocusIntoView) {
    CGridCtrl* grid = MakeGrid(100, 20);
    grid->SetFocusCell(1, 1);
    for (int i = 0; i < 60; ++i)
        PressKey(grid, WXK_DOWN);
    EXPECT_EQ(grid->GetFocusCell().row, 61);
    EXPECT_TRUE(grid->IsCellVisible(61, 1));
    for (int i = 0; i < 15; ++i)
        PressKey(grid, WXK_RIGHT);
    EXPECT_TRUE(grid->IsCellVisible(61, 16));
    for (int i = 0; i < 60; ++i)
        PressKey(grid, WXK_UP);
    EXPECT_TRUE(grid->IsCellVisible(1, 16));
}

TEST_F(GridKeys, SelectionOnlyWhenEnabled) {
    CGridCtrl* grid = MakeGrid(6, 5);
    grid->SetFocusCell(2, 2);
    PressKey(grid, 'A', false, true);
    PressKey(grid, WXK_DOWN, true);
    EXPECT_TRUE(grid->GetSelectedCells().empty());
    EXPECT_EQ(grid->GetFocusCell(), GridCellId(3, 2));

    grid->m_bSelectOn = true;
    PressKey(grid, WXK_DOWN);       // a plain move sets the anchor: (4,2)
    PressKey(grid, WXK_DOWN, true); // Shift extends from it
    PressKey(grid, WXK_RIGHT, true);
    EXPECT_EQ(grid->GetSelectedCells().size(), 4u); // rows 4-5 x cols 2-3
    PressKey(grid, 'A', false, true);
    EXPECT_EQ(grid->GetSelectedCells().size(), 20u);
    PressKey(grid, WXK_LEFT);
    EXPECT_EQ(grid->GetSelectedCells().size(), 1u);
}

TEST_F(GridKeys, KeysWithoutFocusCellAreLeftAlone) {
    CGridCtrl* grid = MakeGrid(4, 3);
    for (int key : {WXK_DOWN, WXK_RIGHT, WXK_DELETE, WXK_TAB, WXK_PAGEDOWN, WXK_END})
        PressKey(grid, key);
    TypeChar(grid, 'x');
    EXPECT_FALSE(grid->GetFocusCell().IsValid());
    EXPECT_EQ(OpenEditor(grid), nullptr);
    auto* empty = new CGridCtrl(0, 0, 0, 0);
    ASSERT_TRUE(empty->Create(frame, 1003, wxRect(0, 0, 100, 100)));
    empty->SetEditMode(true);
    empty->SetFocusCell(0, 0);
    PressKey(empty, WXK_DOWN);
    TypeChar(empty, 'x');
    EXPECT_EQ(empty->GetRowCount(), 0);
}

TEST_F(GridKeys, InsertRowIsRefusedOutsideEditMode) {
    CGridCtrl* grid = MakeGrid(4, 3);
    platform::ScriptedMessageBoxes boxes;
    wxCommandEvent command(wxEVT_MENU, CGridCtrl::kInsertRowCommand);
    grid->GetEventHandler()->ProcessEvent(command);
    ASSERT_EQ(boxes.Texts().size(), 1u);
    EXPECT_EQ(boxes.Texts()[0], "非编辑状态下不允许此项操作");
    EXPECT_EQ(grid->GetRowCount(), 4);
}

TEST_F(GridKeys, EndAndHomeOnAHundredThousandRows) {
    CGridCtrl* grid = MakeGrid(100001, 3);
    grid->SetFocusCell(1, 1);
    PressKey(grid, WXK_END);
    EXPECT_EQ(grid->GetFocusCell(), GridCellId(100000, 1));
    EXPECT_TRUE(grid->IsCellVisible(100000, 1));
    PressKey(grid, WXK_UP);
    EXPECT_EQ(grid->GetFocusCell(), GridCellId(99999, 1));
    PressKey(grid, WXK_HOME);
    EXPECT_EQ(grid->GetFocusCell(), GridCellId(1, 1));
    EXPECT_EQ(grid->GetTopleftNonFixedCell().row, 1);
    grid->EnsureVisible(50000, 2);
    EXPECT_TRUE(grid->IsCellVisible(50000, 2));
    EXPECT_FALSE(grid->IsCellVisible(40000, 2));
}

TEST_F(GridKeys, TabGoesToTheDialogWhenTheGridDoesNotTakeIt) {
    CGridCtrl* grid = MakeGrid(4, 4);
    grid->m_bTakesTab = false;
    grid->SetFocusCell(2, 2);
    PressKey(grid, WXK_TAB);
    EXPECT_EQ(grid->GetFocusCell(), GridCellId(2, 2));
    EXPECT_EQ(OpenEditor(grid), nullptr);
}
