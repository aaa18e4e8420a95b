// Copy, cut and paste of grid cells through the clipboard, and text dropped onto a
// grid, as the drop target hands it over.
#include "gui_test_app.h"
#include "mouse_helpers.h"

#include "grid/grid_drop_handler.h"
#include "res/command_ids.h"

#include <wx/clipbrd.h>

using GridClipboard = GridWindowTest;

namespace {

wxString ClipboardText() {
    wxTextDataObject data;
    if (!wxTheClipboard->Open()) return "<closed>";
    const bool got = wxTheClipboard->GetData(data);
    wxTheClipboard->Close();
    return got ? data.GetText() : wxString("<none>");
}

void PutOnClipboard(const wxString& text) {
    ASSERT_TRUE(wxTheClipboard->Open());
    wxTheClipboard->SetData(new wxTextDataObject(text));
    wxTheClipboard->Close();
}

void Command(CGridCtrl* grid, int id) {
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetEventObject(grid);
    grid->GetEventHandler()->ProcessEvent(event);
}

bool Enabled(CGridCtrl* grid, int id) {
    wxUpdateUIEvent event(id);
    event.SetEventObject(grid);
    grid->GetEventHandler()->ProcessEvent(event);
    return event.GetSetEnabled() && event.GetEnabled();
}

wxString Row(const CGridCtrl* grid, int row) {
    wxString text;
    for (int c = 1; c < grid->GetColumnCount(); ++c)
        text += (c > 1 ? "|" : "") + grid->GetItemText(row, c);
    return text;
}

} // namespace

TEST_F(GridClipboard, CopyWritesTheSelectionAsTabbedRows) {
    CGridCtrl* grid = MakeGrid(6, 5);
    grid->m_bSelectOn = true;
    EXPECT_EQ(grid->CopyTextFromGrid(), nullptr);
    EXPECT_FALSE(Enabled(grid, ID_EDIT_COPY));
    grid->SetItemText(2, 2, "a");
    grid->SetItemText(2, 3, "");
    grid->SetItemText(3, 2, "c");
    grid->SetItemText(3, 3, "d");
    grid->SelectRange(2, 2, 3, 3);
    EXPECT_TRUE(Enabled(grid, ID_EDIT_COPY));
    EXPECT_FALSE(Enabled(grid, ID_EDIT_CUT)); // not in edit mode
    Command(grid, ID_EDIT_COPY);
    EXPECT_EQ(ClipboardText(), "a\t \nc\td");

    // Cells of the range that are not selected give nothing but keep their tabs.
    ClickAt(grid, CellCentre(grid, 1, 1));
    ClickAt(grid, CellCentre(grid, 2, 3), {false, true});
    grid->SetItemText(2, 3, "x");
    Command(grid, ID_EDIT_COPY);
    EXPECT_EQ(ClipboardText(), "1,1\t\t\n\t\tx");
}

TEST_F(GridClipboard, PasteSpreadsLinesAndFieldsOverTheCells) {
    struct Case {
        const char* text;
        GridCellId at;
        std::vector<const char*> rows; // rows 1 to 3 afterwards, cells on "|"
    } cases[] = {
        {"1,2\n3\t4\r\n", {1, 1}, {"1|2|1,3", "3|4|2,3", "3,1|3,2|3,3"}},
        {"1,,2", {1, 1}, {"1|2|1,3", "2,1|2,2|2,3", "3,1|3,2|3,3"}},
        // The last column takes the first field; the rest falls outside.
        {"a\tb\tc\nd\te", {2, 3}, {"1,1|1,2|1,3", "2,1|2,2|a", "3,1|3,2|d"}},
        // An empty line empties the first cell of its row; nothing after the last line feed.
        {"a\n\nb\n", {1, 2}, {"1,1|a|1,3", "2,1||2,3", "3,1|b|3,3"}},
        // Fields are trimmed; a tab before the line end leaves the next cell empty.
        {"  x \t\r\n", {1, 1}, {"x||1,3", "2,1|2,2|2,3", "3,1|3,2|3,3"}},
        // Lines past the last row are dropped; the grid does not grow.
        {"p\nq\nr\ns", {2, 1}, {"1,1|1,2|1,3", "p|2,2|2,3", "q|3,2|3,3"}},
        // Grouped thousands and names with commas stay in one cell.
        {"1,234.50,7", {1, 1}, {"1,234.50|7|1,3", "2,1|2,2|2,3", "3,1|3,2|3,3"}},
        {"bolt, M6\t5", {1, 1}, {"bolt, M6|5|1,3", "2,1|2,2|2,3", "3,1|3,2|3,3"}},
    };
    for (const Case& c : cases) {
        CGridCtrl* grid = MakeGrid(4, 4);
        grid->SetEditMode(true);
        EXPECT_TRUE(grid->PasteTextToGrid(c.at, wxString::FromUTF8(c.text))) << c.text;
        for (int r = 1; r <= 3; ++r)
            EXPECT_EQ(Row(grid, r), c.rows[r - 1]) << c.text << " row " << r;
        grid->Destroy();
    }
}

TEST_F(GridClipboard, PasteMarksAndReportsEachCellAndSparesReadOnlyOnes) {
    CGridCtrl* grid = MakeGrid(5, 4);
    grid->m_bSelectOn = true;
    EXPECT_FALSE(grid->PasteTextToGrid(GridCellId(1, 1), "x")); // not in edit mode
    grid->SetEditMode(true);
    grid->SetItemState(2, 2, GVIS_READONLY);
    EXPECT_FALSE(grid->PasteTextToGrid(GridCellId(2, 2), "x"));
    EXPECT_FALSE(grid->PasteTextToGrid(GridCellId(9, 1), "x"));
    EXPECT_EQ(grid->GetItemText(2, 2), "2,2");

    grid->SelectRange(1, 1, 2, 3);
    frame->notes.clear();
    EXPECT_TRUE(grid->PasteTextToGrid(GridCellId(1, 1), "a\tb\nc\td"));
    EXPECT_EQ(Row(grid, 1), "a|b|1,3");
    EXPECT_EQ(Row(grid, 2), "c|2,2|2,3");
    EXPECT_TRUE(grid->GetItemState(1, 2) & GVIS_MODIFIED);
    EXPECT_FALSE(grid->GetItemState(2, 2) & GVIS_MODIFIED);
    EXPECT_TRUE(grid->GetModified());
    // Pasted cells leave the selection; the others stay selected.
    EXPECT_FALSE(grid->GetItemState(1, 1) & GVIS_SELECTED);
    EXPECT_TRUE(grid->GetItemState(1, 3) & GVIS_SELECTED);
    ASSERT_EQ(frame->Of(GVN_BEGINLABELEDIT).size(), 3u);
    ASSERT_EQ(frame->Of(GVN_ENDLABELEDIT).size(), 3u);
    EXPECT_EQ(frame->Of(GVN_ENDLABELEDIT)[2].row, 2);
    EXPECT_EQ(frame->Of(GVN_ENDLABELEDIT)[2].col, 1);
}

TEST_F(GridClipboard, PasteCommandTakesTheClipboardAtTheFocusCell) {
    CGridCtrl* grid = MakeGrid(5, 4);
    PutOnClipboard("7\t8\n9");
    Command(grid, ID_EDIT_PASTE); // not in edit mode: nothing
    EXPECT_EQ(Row(grid, 1), "1,1|1,2|1,3");
    grid->SetFocusCell(2, 2);
    grid->SetEditMode(true);
    EXPECT_TRUE(Enabled(grid, ID_EDIT_PASTE));
    Command(grid, ID_EDIT_PASTE);
    ProcessPending();
    EXPECT_EQ(Row(grid, 2), "2,1|7|8");
    EXPECT_EQ(Row(grid, 3), "3,1|9|3,3");
    // No focus cell: the top-left data cell.
    grid->ClearSelectionAndFocus();
    Command(grid, ID_EDIT_PASTE);
    EXPECT_EQ(Row(grid, 1), "7|8|1,3");

    // A clipboard without text pastes nothing.
    ASSERT_TRUE(wxTheClipboard->Open());
    auto* other = new wxCustomDataObject(wxDataFormat("application/x-qv-other"));
    other->SetData(3, "abc");
    wxTheClipboard->SetData(other);
    wxTheClipboard->Close();
    Command(grid, ID_EDIT_PASTE);
    EXPECT_EQ(Row(grid, 1), "7|8|1,3");
    EXPECT_FALSE(Enabled(grid, ID_EDIT_PASTE));
}

TEST_F(GridClipboard, CutCopiesAndEmptiesTheEditableSelectedCells) {
    CGridCtrl* grid = MakeGrid(5, 4);
    grid->m_bSelectOn = true;
    grid->SelectRange(1, 1, 2, 2);
    Command(grid, ID_EDIT_CUT); // not in edit mode: nothing at all
    EXPECT_EQ(Row(grid, 1), "1,1|1,2|1,3");

    grid->SetEditMode(true);
    grid->SetItemState(2, 2, GVIS_READONLY | GVIS_SELECTED);
    PutOnClipboard("old");
    EXPECT_TRUE(Enabled(grid, ID_EDIT_CUT));
    frame->notes.clear();
    Command(grid, ID_EDIT_CUT);
    EXPECT_EQ(ClipboardText(), "1,1\t1,2\n2,1\t2,2");
    EXPECT_EQ(Row(grid, 1), "||1,3");
    EXPECT_EQ(Row(grid, 2), "|2,2|2,3");
    EXPECT_TRUE(grid->GetItemState(1, 1) & GVIS_MODIFIED);
    EXPECT_TRUE(grid->GetItemState(2, 2) & GVIS_READONLY);
    EXPECT_EQ(frame->Of(GVN_ENDLABELEDIT).size(), 3u);

    Command(grid, CGridCtrl::kSelectAllCommand);
    EXPECT_EQ(grid->GetSelectedCells().size(), 12u);
}

TEST_F(GridClipboard, DropPastesAtTheHighlightedCell) {
    CGridCtrl* grid = MakeGrid(6, 4);
    auto* handler = dynamic_cast<CGridDropHandler*>(grid->GetDropTarget());
    ASSERT_NE(handler, nullptr);
    const wxPoint target = CellCentre(grid, 2, 2);

    // Drag and drop off: refused, nothing changes.
    grid->SetEditMode(true);
    EXPECT_FALSE(grid->OnDrop(target.x, target.y, "x"));
    EXPECT_EQ(grid->GetItemText(2, 2), "2,2");

    grid->m_bDragDropOn = true;
    EXPECT_EQ(handler->OnEnter(target.x, target.y, wxDragMove), wxDragMove);
    EXPECT_EQ(handler->OnDragOver(target.x, target.y, wxDragMove), wxDragMove);
    EXPECT_TRUE(grid->GetItemState(2, 2) & GVIS_DROPHILITED);
    EXPECT_TRUE(grid->OnDrop(target.x, target.y, "a\tb\nc"));
    EXPECT_FALSE(grid->GetItemState(2, 2) & GVIS_DROPHILITED);
    EXPECT_EQ(Row(grid, 2), "2,1|a|b");
    EXPECT_EQ(Row(grid, 3), "3,1|c|3,3");

    // Onto a read-only cell: refused and the highlight goes.
    grid->SetItemState(4, 1, GVIS_READONLY);
    const wxPoint readOnly = CellCentre(grid, 4, 1);
    EXPECT_EQ(handler->OnDragOver(readOnly.x, readOnly.y, wxDragMove), wxDragNone);
    EXPECT_FALSE(grid->OnDrop(readOnly.x, readOnly.y, "z"));
    EXPECT_EQ(grid->GetItemText(4, 1), "4,1");
    for (int r = 0; r < grid->GetRowCount(); ++r)
        for (int c = 0; c < grid->GetColumnCount(); ++c)
            EXPECT_FALSE(grid->GetItemState(r, c) & GVIS_DROPHILITED) << r << "," << c;
}

TEST_F(GridClipboard, DragImageShowsTheFocusCell) {
    CGridCtrl* grid = MakeGrid(6, 4);
    wxSize size;
    EXPECT_FALSE(grid->CreateDragImage(&size).IsOk());
    grid->SetFocusCell(2, 2);
    const wxBitmap image = grid->CreateDragImage(&size);
    ASSERT_TRUE(image.IsOk());
    EXPECT_EQ(size, wxSize(grid->GetColumnWidth(2), grid->GetRowHeight(2)));
    EXPECT_EQ(image.GetSize(), size);
}

// A move inside one grid: the drop pastes, then the source's cells are cut; cells the
// drop wrote to are no longer selected and keep the dropped text.
TEST_F(GridClipboard, MoveOntoOverlappingCellsKeepsWhatWasDropped) {
    CGridCtrl* grid = MakeGrid(4, 4);
    grid->m_bSelectOn = true;
    grid->m_bDragDropOn = true;
    grid->SetEditMode(true);
    grid->SelectRange(1, 1, 1, 2);
    const std::unique_ptr<wxTextDataObject> dragged = grid->CopyTextFromGrid();
    ASSERT_NE(dragged, nullptr);
    const wxPoint target = CellCentre(grid, 1, 2);
    ASSERT_EQ(grid->OnDragEnter(target.x, target.y, wxDragMove), wxDragMove);
    ASSERT_TRUE(grid->OnDrop(target.x, target.y, dragged->GetText()));
    grid->CutSelectedText();
    EXPECT_EQ(Row(grid, 1), "|1,1|1,2");
}
