// Cells, item access and the geometry of rows and columns.
#include "gui_test_app.h"

#include <wx/dcmemory.h>

using GridCells = GridWindowTest;

TEST_F(GridCells, NewCellTakesTheAlignmentOfTheCellAbove) {
    CGridCtrl* grid = MakeGrid(5, 4);
    grid->SetItemFormat(4, 2, DT_RIGHT);
    grid->SetItemFormat(0, 3, DT_CENTER);
    grid->SetRowCount(6);
    EXPECT_EQ(grid->GetItemFormat(5, 2), unsigned(DT_RIGHT));
    grid->InsertRow("x", 0);
    EXPECT_EQ(grid->GetItemFormat(0, 3), 0u); // row 0 never inherits
}

TEST_F(GridCells, OutOfRangeIndexesAreRefusedOrEmpty) {
    CGridCtrl* grid = MakeGrid(5, 4);
    for (auto [row, col] : {std::pair{7, 1}, {1, 9}, {-1, 1}, {1, -3}, {5, 0}}) {
        EXPECT_EQ(grid->GetItemText(row, col), "") << row << "," << col;
        EXPECT_EQ(grid->GetItemImage(row, col), -1);
        EXPECT_EQ(grid->GetItemState(row, col), 0u);
        EXPECT_FALSE(grid->SetItemText(row, col, "x"));
        EXPECT_FALSE(grid->SetItemState(row, col, GVIS_SELECTED));
        EXPECT_FALSE(grid->IsCellEditable(row, col));
        EXPECT_FALSE(grid->RedrawCell(row, col));
    }
    EXPECT_EQ(grid->GetRowHeight(9), -1);
    EXPECT_EQ(grid->GetColumnWidth(-1), -1);
    EXPECT_FALSE(grid->SetRowCount(-2));
    EXPECT_FALSE(grid->DeleteRow(5));
    EXPECT_FALSE(grid->DeleteColumn(-1));
    EXPECT_FALSE(grid->SetItem(nullptr));
    EXPECT_EQ(grid->SetFocusCell(50, 50), GridCellId());
    PressKey(grid, WXK_DOWN); // a focus outside the grid is no focus
    EXPECT_EQ(grid->GetRowCount(), 5);
}

TEST_F(GridCells, AGridWithoutWindowHoldsCells) {
    CGridCtrl grid(4, 3, 1, 1);
    EXPECT_TRUE(grid.SetItemText(3, 2, wxString::FromUTF8("轮胎")));
    EXPECT_EQ(grid.GetItemText(3, 2), wxString::FromUTF8("轮胎"));
    EXPECT_EQ(grid.InsertRow("x"), 4);
    EXPECT_FALSE(grid.IsCellVisible(1, 1));
    EXPECT_FALSE(grid.RedrawCell(1, 1));
    grid.EnsureVisible(3, 2);
    grid.SetFocusCell(2, 2);
    EXPECT_TRUE(grid.HandleKeyDown(WXK_DOWN, false, false));
    EXPECT_EQ(grid.GetFocusCell(), GridCellId(3, 2));
}

TEST_F(GridCells, SetItemChangesOnlyTheMaskedFields) {
    CGridCtrl* grid = MakeGrid(3, 3);
    grid->SetItemImage(1, 1, 0);
    grid->SetItemState(1, 1, GVIS_READONLY);
    GridItem item;
    item.row = 1;
    item.col = 1;
    item.mask = GVIF_TEXT | GVIF_FORMAT;
    item.strText = wxString::FromUTF8("机油");
    item.nFormat = DT_RIGHT;
    item.iImage = 5;
    item.state = GVIS_SELECTED;
    item.crBkClr = 0x0000FF;
    ASSERT_TRUE(grid->SetItem(&item));
    GridItem back;
    back.row = 1;
    back.col = 1;
    back.mask = 0xFF;
    ASSERT_TRUE(grid->GetItem(&back));
    EXPECT_EQ(back.strText, wxString::FromUTF8("机油"));
    EXPECT_EQ(back.nFormat, unsigned(DT_RIGHT));
    EXPECT_EQ(back.iImage, 0);
    EXPECT_EQ(back.state, unsigned(GVIS_READONLY));
    EXPECT_EQ(back.crBkClr, kClrDefault);
}

TEST_F(GridCells, CellFontsDefaultToTheGridFont) {
    CGridCtrl* grid = MakeGrid(3, 3);
    EXPECT_EQ(grid->GetItemFont(1, 1), grid->GetCellLogFont());
    EXPECT_EQ(grid->GetItemFont(9, 9), grid->GetCellLogFont());
    LogFont big = grid->GetCellLogFont();
    big.lfHeight = -20;
    big.lfWeight = 700;
    ASSERT_TRUE(grid->SetItemFont(1, 1, &big));
    EXPECT_EQ(grid->GetItemFont(1, 1).lfWeight, 700);
    EXPECT_LE(std::abs(grid->GetItemFont(1, 1).lfHeight + 20), 1);
    EXPECT_EQ(grid->GetItemFont(1, 2), grid->GetCellLogFont());
    EXPECT_FALSE(grid->SetItemFont(1, 1, nullptr));
    EXPECT_FALSE(grid->SetItemFont(5, 1, &big));
}

TEST_F(GridCells, SelectedMapFollowsTheStateAndModifiedMarksClear) {
    CGridCtrl* grid = MakeGrid(4, 4);
    grid->SetItemState(2, 2, GVIS_SELECTED);
    grid->SetItemState(2, 3, GVIS_SELECTED | GVIS_READONLY);
    EXPECT_EQ(grid->GetSelectedCells().size(), 2u);
    grid->SetItemState(2, 2, 0);
    grid->SetItemState(2, 3, GVIS_READONLY);
    EXPECT_TRUE(grid->GetSelectedCells().empty());

    grid->SetModified(true, 1, 1);
    grid->SetModified(true, 3, 2);
    EXPECT_TRUE(grid->GetModified());
    EXPECT_TRUE(grid->GetItemState(3, 2) & GVIS_MODIFIED);
    grid->SetModified(false, 0, 0);
    EXPECT_FALSE(grid->GetModified());
    EXPECT_FALSE(grid->GetItemState(1, 1) & GVIS_MODIFIED);
    EXPECT_FALSE(grid->GetItemState(3, 2) & GVIS_MODIFIED);
}

TEST_F(GridCells, SelectionKeepsRowsBeyondSixteenBits) {
    CGridCtrl* grid = MakeGrid(70000, 2);
    grid->SetItemState(1, 1, GVIS_SELECTED);
    grid->SetItemState(65537, 1, GVIS_SELECTED);
    EXPECT_EQ(grid->GetSelectedCells().size(), 2u);
    grid->SetItemState(65537, 1, 0);
    ASSERT_EQ(grid->GetSelectedCells().size(), 1u);
    EXPECT_EQ(grid->GetSelectedCells()[0], GridCellId(1, 1));
}

TEST_F(GridCells, EditableOnlyInEditModeAndNotReadOnly) {
    CGridCtrl* grid = MakeGrid(3, 3);
    EXPECT_FALSE(grid->IsCellEditable(1, 1));
    grid->SetEditMode(true);
    EXPECT_TRUE(grid->IsCellEditable(1, 1));
    grid->SetItemState(1, 1, GVIS_READONLY);
    EXPECT_FALSE(grid->IsCellEditable(1, 1));
}

TEST_F(GridCells, MoneyColumnsComeFromTheFieldTypes) {
    CGridCtrl* grid = MakeGrid(3, 4);
    grid->SetFieldTypes({202, 131, 3});
    EXPECT_FALSE(grid->IsMoneyColumn(0));
    EXPECT_FALSE(grid->IsMoneyColumn(1));
    EXPECT_TRUE(grid->IsMoneyColumn(2));
    EXPECT_FALSE(grid->IsMoneyColumn(3));
    EXPECT_FALSE(grid->IsMoneyColumn(4));
}

using GridGeometry = GridWindowTest;

TEST_F(GridGeometry, RowHeightIsCommonColumnWidthIsOwn) {
    CGridCtrl* grid = MakeGrid(10, 5);
    grid->SetColumnWidth(1, 60);
    ASSERT_TRUE(grid->SetRowHeight(3, 25));
    for (int r = 0; r < 10; ++r)
        EXPECT_EQ(grid->GetRowHeight(r), 25) << r;
    ASSERT_TRUE(grid->SetColumnWidth(3, 25));
    EXPECT_EQ(grid->GetColumnWidth(3), 25);
    EXPECT_EQ(grid->GetColumnWidth(1), 60);
    EXPECT_FALSE(grid->SetRowHeight(3, -1));
    EXPECT_FALSE(grid->SetRowHeight(10, 20));
    EXPECT_FALSE(grid->SetColumnWidth(2, -5));
    EXPECT_EQ(grid->GetRowHeight(0), 25);
}

TEST_F(GridGeometry, InsertAndDeleteLeaveNoFocusOrSelection) {
    CGridCtrl* grid = MakeGrid(10, 4);
    grid->m_bSelectOn = true;
    grid->SetFocusCell(2, 2);
    grid->SelectRange(1, 1, 3, 3);
    EXPECT_EQ(grid->InsertRow("x", 10), -1);
    EXPECT_EQ(grid->InsertRow("x", -5), -1);
    EXPECT_EQ(grid->InsertRow("x"), 10);
    EXPECT_EQ(grid->GetItemText(10, 0), "x");
    EXPECT_FALSE(grid->GetFocusCell().IsValid());
    EXPECT_TRUE(grid->GetSelectedCells().empty());
    EXPECT_EQ(grid->InsertColumn("D", DT_RIGHT, 2), 2);
    EXPECT_EQ(grid->GetItemText(0, 2), "D");
    EXPECT_EQ(grid->GetItemText(1, 3), "1,2");
    EXPECT_EQ(grid->GetItemFormat(5, 2), unsigned(DT_RIGHT));
    grid->SetFocusCell(2, 2);
    EXPECT_TRUE(grid->DeleteRow(0));
    EXPECT_EQ(grid->GetFixedRowCount(), 0);
    EXPECT_FALSE(grid->GetFocusCell().IsValid());
    EXPECT_TRUE(grid->DeleteNonFixedRows());
    EXPECT_EQ(grid->GetRowCount(), 0);
}

TEST_F(GridGeometry, RowCountBelowTheFixedRowsLowersThem) {
    CGridCtrl* grid = MakeGrid(5, 3);
    grid->SetFixedRowCount(3);
    grid->SetRowCount(2);
    EXPECT_EQ(grid->GetFixedRowCount(), 2);
    EXPECT_TRUE(grid->SetFixedColumnCount(5)); // grows the columns first
    EXPECT_EQ(grid->GetColumnCount(), 5);
}

TEST_F(GridGeometry, HeadingsMeasureSemiBold) {
    CGridCtrl* grid = MakeGrid(3, 3);
    const wxString text = wxString::FromUTF8("WWWW 制动总泵 WWWW");
    grid->SetItemText(0, 1, text);
    grid->SetItemText(1, 1, text);
    wxBitmap bitmap(1, 1);
    wxMemoryDC dc(bitmap);
    EXPECT_GT(grid->GetCellExtent(0, 1, dc).x, grid->GetCellExtent(1, 1, dc).x);
    EXPECT_GT(grid->GetTextExtent(text, true).x, grid->GetTextExtent(text, false).x);
}

TEST_F(GridGeometry, AutoSizeFitsTheTextPlusTheExtraRowHeight) {
    CGridCtrl* grid = MakeGrid(3, 3);
    grid->SetItemText(2, 2, wxString::FromUTF8("一段相当长的零件名称文字"));
    grid->AutoSize();
    EXPECT_GT(grid->GetColumnWidth(2), grid->GetColumnWidth(1));
    wxBitmap bitmap(1, 1);
    wxMemoryDC dc(bitmap);
    EXPECT_EQ(grid->GetRowHeight(2), grid->GetCellExtent(2, 2, dc).y + grid->GetExtraRowHeight());
    EXPECT_TRUE(grid->AutoSizeColumn(1));
    EXPECT_FALSE(grid->AutoSizeColumn(3));
    EXPECT_FALSE(grid->AutoSizeRow(-1));
}

// A non-fixed column must start 36 pixels inside the right edge to count as visible.
TEST_F(GridGeometry, VisibilityAllowsThirtySixPixels) {
    CGridCtrl* grid = MakeGrid(5, 4);
    const int width = grid->GetClientSize().GetWidth();
    grid->SetColumnWidth(0, 40);
    for (int gap : {30, 40}) {
        grid->SetColumnWidth(1, width - gap - 40); // column 2 starts `gap` left of the edge
        EXPECT_EQ(grid->IsCellVisible(1, 2), gap == 40) << gap;
        EXPECT_TRUE(grid->IsCellVisible(1, 0));
    }
    // Rows need only their top inside.
    const int height = grid->GetClientSize().GetHeight();
    grid->SetRowHeight(0, (height - 2) / 2);
    EXPECT_TRUE(grid->IsCellVisible(2, 1));
    EXPECT_FALSE(grid->IsCellVisible(3, 1));
}

TEST_F(GridGeometry, PointToCellAndBack) {
    CGridCtrl* grid = MakeGrid(20, 6);
    for (int c = 0; c < 6; ++c)
        grid->SetColumnWidth(c, 50);
    grid->SetRowHeight(0, 20);
    grid->ResetScrollBars();
    EXPECT_EQ(grid->GetCellFromPt(wxPoint(75, 45)), GridCellId(2, 1));
    EXPECT_EQ(grid->GetCellFromPt(wxPoint(10, 10)), GridCellId(0, 0));
    EXPECT_EQ(grid->GetCellFromPt(wxPoint(10, 10), false), GridCellId(-1, -1));
    EXPECT_EQ(grid->GetCellFromPt(wxPoint(-1, 5)).col, -1);
    EXPECT_EQ(grid->GetCellFromPt(wxPoint(310, 5)).col, -1);
    wxRect rect;
    ASSERT_TRUE(grid->GetCellRect(2, 1, &rect));
    EXPECT_EQ(rect, wxRect(50, 40, 50, 20));
    // Scrolled by two rows, row 3 sits where row 1 was and row 1 has no rectangle.
    grid->OnVScroll(SB_LINEDOWN);
    grid->OnVScroll(SB_LINEDOWN);
    EXPECT_EQ(grid->GetTopleftNonFixedCell().row, 3);
    EXPECT_FALSE(grid->GetCellRect(1, 1, &rect));
    ASSERT_TRUE(grid->GetCellRect(3, 1, &rect));
    EXPECT_EQ(rect.y, 20);
    EXPECT_EQ(grid->GetCellFromPt(wxPoint(75, 25)), GridCellId(3, 1));
}

TEST_F(GridGeometry, EnsureVisibleScrollsTheCellIn) {
    CGridCtrl* grid = MakeGrid(200, 30);
    for (auto [row, col] : {std::pair{150, 25}, {3, 2}, {199, 29}, {1, 1}}) {
        grid->EnsureVisible(row, col);
        EXPECT_TRUE(grid->IsCellVisible(row, col)) << row << "," << col;
    }
}
