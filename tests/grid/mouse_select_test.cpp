// The mouse on the grid: selecting by dragging, Shift and Ctrl, clicks in the fixed
// row and column, the focus cell's click, sizing at borders, the wheel.
#include "gui_test_app.h"
#include "mouse_helpers.h"

#include <set>

using GridMouse = GridWindowTest;

namespace {
std::set<std::pair<int, int>> Selected(const CGridCtrl* grid) {
    std::set<std::pair<int, int>> cells;
    for (const GridCellId& cell : grid->GetSelectedCells())
        cells.insert({cell.row, cell.col});
    return cells;
}
} // namespace

TEST_F(GridMouse, DraggingSelectsTheRangeAndMovesTheFocus) {
    CGridCtrl* grid = MakeGrid(8, 6, wxSize(620, 400));
    grid->m_bSelectOn = true;
    int clicks = 0;
    frame->Bind(wxEVT_BUTTON, [&](wxCommandEvent& event) {
        if (event.GetId() == grid->GetId()) ++clicks;
    });
    PressAt(grid, CellCentre(grid, 2, 2));
    EXPECT_EQ(grid->GetMouseAction(), 4);
    EXPECT_EQ(grid->GetFocusCell(), GridCellId(2, 2));
    DragTo(grid, CellCentre(grid, 3, 4));
    ReleaseAt(grid, CellCentre(grid, 3, 4));
    EXPECT_EQ(grid->GetFocusCell(), GridCellId(3, 4));
    EXPECT_EQ(grid->GetMouseAction(), 0);
    EXPECT_FALSE(grid->DragTimer().IsRunning());
    EXPECT_EQ(Selected(grid),
              (std::set<std::pair<int, int>>{{2, 2}, {2, 3}, {2, 4}, {3, 2}, {3, 3}, {3, 4}}));
    ProcessPending();
    EXPECT_EQ(clicks, 1);

    // Shift extends from the focus cell; Ctrl keeps what was selected.
    ClickAt(grid, CellCentre(grid, 5, 4), {true, false});
    EXPECT_EQ(Selected(grid).size(), 3u);
    EXPECT_TRUE(Selected(grid).count({4, 4}));
    ClickAt(grid, CellCentre(grid, 1, 1), {false, true});
    EXPECT_EQ(Selected(grid).size(), 4u);
    EXPECT_TRUE(Selected(grid).count({1, 1}));
    EXPECT_TRUE(Selected(grid).count({5, 4}));
    ClickAt(grid, CellCentre(grid, 6, 1));
    EXPECT_EQ(Selected(grid), (std::set<std::pair<int, int>>{{6, 1}}));

    // Selection off: the focus moves, nothing is selected.
    grid->ClearSelectionAndFocus();
    grid->m_bSelectOn = false;
    ClickAt(grid, CellCentre(grid, 2, 2));
    EXPECT_EQ(grid->GetFocusCell(), GridCellId(2, 2));
    EXPECT_TRUE(Selected(grid).empty());
    // Every click on a cell is passed on; the queued ones reach the counter while it
    // still exists.
    ProcessPending();
    EXPECT_EQ(clicks, 5);
}

TEST_F(GridMouse, ListModeSelectsWholeRows) {
    CGridCtrl* grid = MakeGrid(8, 4);
    grid->m_bSelectOn = true;
    grid->m_bWholeRows = true;
    PressAt(grid, CellCentre(grid, 2, 2));
    EXPECT_EQ(grid->GetMouseAction(), 3);
    DragTo(grid, CellCentre(grid, 3, 1));
    ReleaseAt(grid, CellCentre(grid, 3, 1));
    EXPECT_EQ(Selected(grid).size(), 6u); // rows 2 and 3, columns 1 to 3
}

TEST_F(GridMouse, FixedCellsSelectRowsOrEverythingAndTheHeaderSortsLists) {
    CGridCtrl* grid = MakeGrid(6, 4);
    grid->m_bSelectOn = true;
    // The numbering column selects the row; the focus goes to its first data cell.
    ClickAt(grid, CellCentre(grid, 3, 0));
    EXPECT_EQ(Selected(grid), (std::set<std::pair<int, int>>{{3, 1}, {3, 2}, {3, 3}}));
    EXPECT_EQ(grid->GetFocusCell(), GridCellId(3, 1));
    // Dragging down the numbering column takes more rows.
    PressAt(grid, CellCentre(grid, 1, 0));
    DragTo(grid, CellCentre(grid, 2, 0));
    ReleaseAt(grid, CellCentre(grid, 2, 0));
    EXPECT_EQ(Selected(grid).size(), 6u);
    // The corner and, outside list mode, a heading select everything.
    grid->ClearSelectionAndFocus();
    ClickAt(grid, CellCentre(grid, 0, 0));
    EXPECT_EQ(Selected(grid).size(), 15u);
    grid->ClearSelectionAndFocus();
    ClickAt(grid, CellCentre(grid, 0, 2));
    EXPECT_EQ(Selected(grid).size(), 15u);
    EXPECT_FALSE(grid->IsSorted());

    // In list mode a heading sorts its column, a second click turns the order round.
    grid->m_bWholeRows = true;
    grid->SetItemText(1, 2, "b");
    grid->SetItemText(2, 2, "c");
    grid->SetItemText(3, 2, "a");
    grid->SetItemText(4, 2, "e");
    grid->SetItemText(5, 2, "d");
    ClickAt(grid, CellCentre(grid, 0, 2));
    ASSERT_TRUE(grid->IsSorted());
    EXPECT_EQ(grid->GetItemText(1, 2), "a");
    EXPECT_EQ(grid->GetItemText(5, 2), "e");
    ClickAt(grid, CellCentre(grid, 0, 2));
    EXPECT_EQ(grid->GetItemText(1, 2), "e");
}

TEST_F(GridMouse, ClickOnTheFocusCellEditsAndOnASelectedCellClears) {
    CGridCtrl* grid = MakeGrid(6, 4, wxSize(620, 400));
    grid->m_bSelectOn = true;
    ClickAt(grid, CellCentre(grid, 2, 2));
    grid->SetEditMode(true);
    PressAt(grid, CellCentre(grid, 2, 2));
    EXPECT_EQ(grid->GetMouseAction(), 10);
    EXPECT_EQ(OpenEditor(grid), nullptr);
    ReleaseAt(grid, CellCentre(grid, 2, 2));
    CGridCellEdit* editor = OpenEditor(grid);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->m_nRow, 2);
    EXPECT_EQ(editor->m_nColumn, 2);
    editor->EndEdit(true);
    ProcessPending();
    grid->SetEditMode(false);

    // A focused grid with drag and drop: a press on another selected cell prepares a
    // drag; released without moving, it clears selection and focus.
    grid->m_bDragDropOn = true;
    grid->ClearSelectionAndFocus();
    PressAt(grid, CellCentre(grid, 2, 2));
    DragTo(grid, CellCentre(grid, 3, 3));
    ReleaseAt(grid, CellCentre(grid, 3, 3));
    ASSERT_EQ(grid->GetSelectedCells().size(), 4u);
    GiveFocus(grid);
    PressAt(grid, CellCentre(grid, 2, 3));
    EXPECT_EQ(grid->GetMouseAction(), 11);
    ReleaseAt(grid, CellCentre(grid, 2, 3));
    EXPECT_TRUE(grid->GetSelectedCells().empty());
    EXPECT_FALSE(grid->IsCellInGrid(grid->GetFocusCell()));
    // Without the keyboard focus the same press starts a new selection.
    ClickAt(grid, CellCentre(grid, 2, 2));
    DragTo(grid, CellCentre(grid, 3, 3));
    wxFocusEvent lost(wxEVT_KILL_FOCUS, grid->GetId());
    grid->GetEventHandler()->ProcessEvent(lost);
    PressAt(grid, CellCentre(grid, 3, 3));
    EXPECT_EQ(grid->GetMouseAction(), 4);
    ReleaseAt(grid, CellCentre(grid, 3, 3));
}

TEST_F(GridMouse, BordersSizeOneColumnOrEveryRow) {
    CGridCtrl* grid = MakeGrid(6, 4);
    wxRect col2, row2;
    ASSERT_TRUE(grid->GetCellRect(0, 2, &col2));
    ASSERT_TRUE(grid->GetCellRect(2, 0, &row2));
    const int width1 = grid->GetColumnWidth(1), width3 = grid->GetColumnWidth(3);

    // Hovering over the right edge of a heading shows the sizing cursor.
    const wxPoint colEdge(col2.GetRight(), col2.y + col2.height / 2);
    HoverAt(grid, colEdge);
    EXPECT_EQ(grid->GetMouseAction(), 8);
    wxSetCursorEvent cursor(colEdge.x, colEdge.y);
    grid->GetEventHandler()->ProcessEvent(cursor);
    EXPECT_TRUE(cursor.HasCursor());
    PressAt(grid, colEdge);
    EXPECT_EQ(grid->GetMouseAction(), 9);
    DragTo(grid, colEdge + wxPoint(25, 0));
    ReleaseAt(grid, colEdge + wxPoint(25, 0));
    EXPECT_EQ(grid->GetColumnWidth(2), colEdge.x + 25 - col2.x);
    EXPECT_EQ(grid->GetColumnWidth(1), width1);
    EXPECT_EQ(grid->GetColumnWidth(3), width3);
    EXPECT_TRUE(grid->m_bSizesChanged);
    EXPECT_EQ(grid->GetMouseAction(), 0);

    // Just inside a column's left edge the column before it is sized; the pointer
    // taken left of that column's start leaves it zero wide, not negative.
    wxRect col3;
    ASSERT_TRUE(grid->GetCellRect(0, 3, &col3));
    const wxPoint leftEdge(col3.x + 1, col3.y + 2);
    HoverAt(grid, leftEdge);
    ASSERT_EQ(grid->GetMouseAction(), 8);
    PressAt(grid, leftEdge);
    ReleaseAt(grid, wxPoint(0, leftEdge.y));
    EXPECT_EQ(grid->GetColumnWidth(2), 0);

    // A row border gives every row the new height.
    grid->m_bSizesChanged = false;
    const wxPoint rowEdge(row2.x + row2.width / 2, row2.GetBottom());
    HoverAt(grid, rowEdge);
    EXPECT_EQ(grid->GetMouseAction(), 6);
    PressAt(grid, rowEdge);
    EXPECT_EQ(grid->GetMouseAction(), 7);
    ReleaseAt(grid, rowEdge + wxPoint(0, 9));
    const int height = rowEdge.y + 9 - row2.y;
    for (int r = 0; r < grid->GetRowCount(); ++r)
        EXPECT_EQ(grid->GetRowHeight(r), height) << r;
    EXPECT_TRUE(grid->m_bSizesChanged);

    // A press and release in place changes nothing.
    grid->m_bSizesChanged = false;
    HoverAt(grid, rowEdge);
    PressAt(grid, rowEdge);
    ReleaseAt(grid, rowEdge);
    EXPECT_FALSE(grid->m_bSizesChanged);

    // Sizing off: a border is no border.
    grid->m_bColSizing = false;
    HoverAt(grid, CellCentre(grid, 2, 2));
    HoverAt(grid, colEdge);
    EXPECT_EQ(grid->GetMouseAction(), 0);
}

TEST_F(GridMouse, DoubleClickOnAColumnBorderFitsTheColumn) {
    CGridCtrl* grid = MakeGrid(6, 4);
    grid->SetItemText(3, 2, "a rather long text for this column");
    wxRect col2;
    ASSERT_TRUE(grid->GetCellRect(0, 2, &col2));
    const wxPoint edge(col2.GetRight(), col2.y + 2);
    HoverAt(grid, edge);
    ASSERT_EQ(grid->GetMouseAction(), 8);
    SendMouse(grid, wxEVT_LEFT_DCLICK, edge, true);
    EXPECT_GT(grid->GetColumnWidth(2), grid->GetTextExtent("a rather long text").GetWidth());

    // On a data cell of a grid in edit mode a double click edits the focus cell; on a
    // heading it does not.
    HoverAt(grid, CellCentre(grid, 2, 1));
    ClickAt(grid, CellCentre(grid, 2, 1));
    grid->SetEditMode(true);
    SendMouse(grid, wxEVT_LEFT_DCLICK, CellCentre(grid, 2, 1), true);
    CGridCellEdit* editor = OpenEditor(grid);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->m_nRow, 2);
    editor->EndEdit(true);
    ProcessPending();
    ClickAt(grid, CellCentre(grid, 0, 1));
    ProcessPending();
    if (CGridCellEdit* open = OpenEditor(grid)) open->EndEdit(true);
    ProcessPending();
    SendMouse(grid, wxEVT_LEFT_DCLICK, CellCentre(grid, 0, 1), true);
    EXPECT_EQ(OpenEditor(grid), nullptr);
}

TEST_F(GridMouse, WheelScrollsLinesOrPages) {
    CGridCtrl* grid = MakeGrid(100, 4, wxSize(300, 200));
    for (int i = 0; i < 20; ++i)
        grid->OnVScroll(SB_LINEDOWN);
    const int top = grid->GetTopleftNonFixedCell().row;
    ASSERT_GT(top, 10);
    SendMouse(grid, wxEVT_MOUSEWHEEL, wxPoint(50, 50), false, {}, 120);
    EXPECT_EQ(grid->GetTopleftNonFixedCell().row, top - 3);
    SendMouse(grid, wxEVT_MOUSEWHEEL, wxPoint(50, 50), false, {}, -240);
    EXPECT_EQ(grid->GetTopleftNonFixedCell().row, top + 3);
    // Less than a notch moves nothing.
    SendMouse(grid, wxEVT_MOUSEWHEEL, wxPoint(50, 50), false, {}, -30);
    EXPECT_EQ(grid->GetTopleftNonFixedCell().row, top + 3);

    grid->m_nWheelRows = -1; // a page a notch
    const int visibleRows = grid->GetVisibleNonFixedCellRange().maxRow - (top + 3);
    SendMouse(grid, wxEVT_MOUSEWHEEL, wxPoint(50, 50), false, {}, -120);
    EXPECT_GE(grid->GetTopleftNonFixedCell().row, top + 3 + visibleRows - 1);
}

TEST_F(GridMouse, MovingFromASelectedCellStartsADragOfTheSelection) {
    CGridCtrl* grid = MakeGrid(6, 4, wxSize(620, 400));
    grid->m_bSelectOn = true;
    grid->m_bDragDropOn = true;
    grid->SetEditMode(false);
    PressAt(grid, CellCentre(grid, 2, 2));
    DragTo(grid, CellCentre(grid, 3, 3));
    ReleaseAt(grid, CellCentre(grid, 3, 3));
    GiveFocus(grid);
    frame->notes.clear();
    PressAt(grid, CellCentre(grid, 3, 2));
    ASSERT_EQ(grid->GetMouseAction(), 11);
    // Synthetic events carry no pressed button for the toolkit, so the drag ends at
    // once without a drop: nothing is moved.
    DragTo(grid, CellCentre(grid, 3, 3));
    ASSERT_EQ(frame->Of(GVN_BEGINDRAG).size(), 1u);
    EXPECT_EQ(frame->Of(GVN_BEGINDRAG)[0].row, 2);
    EXPECT_EQ(frame->Of(GVN_BEGINDRAG)[0].col, 2);
    EXPECT_EQ(grid->GetMouseAction(), 0);
    EXPECT_EQ(grid->GetSelectedCells().size(), 4u);
    EXPECT_EQ(grid->GetItemText(2, 2), "2,2");

    // Drag and drop off: the same press selects instead.
    grid->m_bDragDropOn = false;
    frame->notes.clear();
    PressAt(grid, CellCentre(grid, 2, 2));
    DragTo(grid, CellCentre(grid, 2, 3));
    ReleaseAt(grid, CellCentre(grid, 2, 3));
    EXPECT_TRUE(frame->Of(GVN_BEGINDRAG).empty());
    EXPECT_EQ(grid->GetSelectedCells().size(), 2u);
}

TEST_F(GridMouse, LosingTheMouseWhileSizingKeepsTheSize) {
    CGridCtrl* grid = MakeGrid(6, 4);
    wxRect col2;
    ASSERT_TRUE(grid->GetCellRect(0, 2, &col2));
    const wxPoint edge(col2.GetRight(), col2.y + 2);
    HoverAt(grid, edge);
    PressAt(grid, edge);
    ASSERT_EQ(grid->GetMouseAction(), 9);
    DragTo(grid, edge + wxPoint(30, 0));
    wxMouseCaptureLostEvent lost(grid->GetId());
    grid->GetEventHandler()->ProcessEvent(lost);
    EXPECT_EQ(grid->GetMouseAction(), 0);
    ReleaseAt(grid, edge + wxPoint(30, 0));
    EXPECT_EQ(grid->GetColumnWidth(2), col2.width);
    EXPECT_FALSE(grid->m_bSizesChanged);
}
