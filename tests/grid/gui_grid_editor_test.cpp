// The in-place editor: what the first key does, how keys leave it, Esc, and the
// notifications it sends through the grid.
#include "gui_test_app.h"

#include "grid/grid_keys.h"

namespace {
const wxString kCode = wxString::FromUTF8("编号");
const wxString kPrice = wxString::FromUTF8("单价");
} // namespace

class GridEditor : public GridWindowTest {
protected:
    // A lookup line grid in edit mode: column 1 "编号" keeps its text, column 2
    // "单价" starts empty.
    CGridCtrl* MakeLineGrid() {
        CGridCtrl* grid = MakeGrid(5, 4);
        grid->SetItemText(0, 1, kCode);
        grid->SetItemText(0, 2, kPrice);
        grid->SetItemText(2, 1, "AB-1234");
        grid->SetItemText(2, 2, "12.50");
        grid->m_bDriveLookup = true;
        return grid;
    }
    // Starts an edit of (2, col) with a first key, with edit mode on.
    CGridCellEdit* StartEdit(CGridCtrl* grid, int col, int key) {
        grid->SetFocusCell(2, col);
        grid->SetEditMode(true);
        frame->notes.clear();
        grid->OnEditCell(2, col, key);
        return OpenEditor(grid);
    }
};

TEST_F(GridEditor, FirstKeyDecidesTextAndSelection) {
    CGridCtrl* grid = MakeLineGrid();
    struct Case {
        int key;
        const char* text;
        long selFrom, selTo; // selection, or the caret twice
    } cases[] = {
        {kEditKeyMouse, "AB-1234", 7, 7},
        {VK_RETURN, "AB-1234", 7, 7},
        {VK_BACK, "AB-123", 6, 6},
        {VK_TAB, "AB-1234", 0, 7},
        {VK_SPACE, "AB-1234", 0, 7},
        {EditKeyForNavigation(WXK_LEFT), "AB-1234", 0, 7},
        {'X', "X", 1, 1},
        {0x6C7D /* 汽 */, "汽", 1, 1},
    };
    for (const Case& c : cases) {
        CGridCellEdit* editor = StartEdit(grid, 1, c.key);
        ASSERT_NE(editor, nullptr) << c.key;
        EXPECT_EQ(editor->GetValue(), wxString::FromUTF8(c.text)) << c.key;
        long from = -1, to = -1;
        editor->GetSelection(&from, &to);
        EXPECT_EQ(from, c.selFrom) << c.key;
        EXPECT_EQ(to, c.selTo) << c.key;
        EXPECT_EQ(editor->GetId(), CGridCtrl::kEditorId);
        ASSERT_FALSE(frame->Of(GVN_BEGINLABELEDIT).empty());
        editor->EndEdit(true);
        grid->SetItemText(2, 1, "AB-1234");
        ProcessPending();
    }
}

TEST_F(GridEditor, OnlyItemColumnsOfLookupGridsKeepTheirText) {
    CGridCtrl* grid = MakeLineGrid();
    CGridCellEdit* editor = StartEdit(grid, 2, VK_RETURN);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->GetValue(), "");
    PressKey(editor, WXK_ESCAPE);
    ProcessPending();
    grid->m_bDriveLookup = false;
    editor = StartEdit(grid, 1, VK_RETURN);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->GetValue(), "");
}

TEST_F(GridEditor, TypingIntoTheGridStartsTheEditor) {
    CGridCtrl* grid = MakeLineGrid();
    grid->SetFocusCell(3, 3);
    TypeChar(grid, '7');
    EXPECT_EQ(OpenEditor(grid), nullptr); // not in edit mode
    grid->SetEditMode(true);
    ProcessPending();
    CGridCellEdit* editor = OpenEditor(grid);
    if (editor) PressKey(editor, WXK_ESCAPE); // the focus move in edit mode opened one
    ProcessPending();
    TypeChar(grid, '7');
    editor = OpenEditor(grid);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->GetValue(), "7");
    EXPECT_EQ(editor->m_nRow, 3);
    EXPECT_EQ(editor->m_nColumn, 3);
}

TEST_F(GridEditor, EscRestoresAndStillReportsTheEnd) {
    CGridCtrl* grid = MakeLineGrid();
    CGridCellEdit* editor = StartEdit(grid, 2, '9');
    ASSERT_NE(editor, nullptr);
    TypeChar(editor, '8');
    EXPECT_EQ(editor->GetValue(), "98");
    PressKey(editor, WXK_ESCAPE);
    const auto ends = frame->Of(GVN_ENDLABELEDIT);
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].lParam, VK_ESCAPE);
    EXPECT_EQ(ends[0].text, ""); // the text the editor started with
    EXPECT_EQ(grid->GetItemText(2, 2), "12.50");
    EXPECT_FALSE(grid->GetItemState(2, 2) & GVIS_MODIFIED);
    ProcessPending();
    EXPECT_EQ(OpenEditor(grid), nullptr);
}

TEST_F(GridEditor, EnterTakesTheTextAndMovesOn) {
    CGridCtrl* grid = MakeLineGrid();
    grid->SetFieldTypes({202, 131, 202});
    CGridCellEdit* editor = StartEdit(grid, 2, '1');
    ASSERT_NE(editor, nullptr);
    TypeChar(editor, '2');
    PressKey(editor, WXK_RETURN);
    EXPECT_EQ(grid->GetItemText(2, 2), "12.00"); // a money column
    EXPECT_TRUE(grid->GetItemState(2, 2) & GVIS_MODIFIED);
    ASSERT_EQ(frame->Of(GVN_ENDLABELEDIT).size(), 1u);
    EXPECT_EQ(frame->Of(GVN_ENDLABELEDIT)[0].lParam, VK_RETURN);
    EXPECT_EQ(grid->GetFocusCell(), GridCellId(2, 3));
    ProcessPending();
    editor = OpenEditor(grid);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->m_nColumn, 3);
    // Enter on the last column goes back to column 1 of the same row.
    PressKey(editor, WXK_RETURN);
    EXPECT_EQ(grid->GetFocusCell(), GridCellId(2, 1));
}

TEST_F(GridEditor, ArrowsLeaveAtTheEdgesOfTheText) {
    CGridCtrl* grid = MakeLineGrid();
    CGridCellEdit* editor = StartEdit(grid, 1, VK_RETURN); // caret at the end
    ASSERT_NE(editor, nullptr);
    PressKey(editor, WXK_LEFT);
    EXPECT_EQ(editor->GetInsertionPoint(), 6);
    EXPECT_TRUE(frame->Of(GVN_ENDLABELEDIT).empty());
    PressKey(editor, WXK_RIGHT);
    EXPECT_EQ(editor->GetInsertionPoint(), 7);
    PressKey(editor, WXK_RIGHT); // at the end: leaves, the grid moves right
    ASSERT_EQ(frame->Of(GVN_ENDLABELEDIT).size(), 1u);
    EXPECT_EQ(frame->Of(GVN_ENDLABELEDIT)[0].lParam, VK_RIGHT);
    EXPECT_EQ(grid->GetFocusCell(), GridCellId(2, 2));

    ProcessPending();
    editor = StartEdit(grid, 1, VK_TAB); // whole text selected: caret at 0
    ASSERT_NE(editor, nullptr);
    PressKey(editor, WXK_RIGHT);
    ASSERT_EQ(frame->Of(GVN_ENDLABELEDIT).size(), 1u);
    ProcessPending();
    editor = StartEdit(grid, 1, VK_TAB);
    ASSERT_NE(editor, nullptr);
    PressKey(editor, WXK_DOWN);
    EXPECT_EQ(frame->Of(GVN_ENDLABELEDIT)[0].lParam, VK_DOWN);
    EXPECT_EQ(grid->GetFocusCell(), GridCellId(3, 1));
}

TEST_F(GridEditor, ModifierDigitPicksARow) {
    CGridCtrl* grid = MakeLineGrid();
    CGridCellEdit* editor = StartEdit(grid, 1, VK_RETURN);
    ASSERT_NE(editor, nullptr);
    PressKey(editor, '0', false, true);
    EXPECT_TRUE(frame->Of(GVN_LOOKUPPICK).empty());
    PressKey(editor, '3', false, true);
    const auto picks = frame->Of(GVN_LOOKUPPICK);
    ASSERT_EQ(picks.size(), 1u);
    EXPECT_EQ(picks[0].row, 3);
    EXPECT_EQ(picks[0].col, 1);
    // The typed text reached the grid first.
    ASSERT_EQ(frame->Of(GVN_ENDLABELEDIT).size(), 1u);
    EXPECT_EQ(frame->notes.back().code, GVN_LOOKUPPICK);

    ProcessPending();
    editor = StartEdit(grid, 1, VK_RETURN);
    ASSERT_NE(editor, nullptr);
    PressKey(editor, WXK_NUMPAD7, true);
    ASSERT_EQ(frame->Of(GVN_LOOKUPPICK).size(), 1u);
    EXPECT_EQ(frame->Of(GVN_LOOKUPPICK)[0].row, 7);
}

TEST_F(GridEditor, TypingInItemColumnsReportsTheText) {
    CGridCtrl* grid = MakeLineGrid();
    CGridCellEdit* editor = StartEdit(grid, 2, '5');
    ASSERT_NE(editor, nullptr);
    TypeChar(editor, '6');
    EXPECT_TRUE(frame->Of(GVN_LOOKUPTYPING).empty()); // 单价 is no item column
    PressKey(editor, WXK_ESCAPE);
    ProcessPending();

    editor = StartEdit(grid, 1, 'a');
    ASSERT_NE(editor, nullptr);
    TypeChar(editor, ' ');
    TypeChar(editor, 'b');
    const auto typed = frame->Of(GVN_LOOKUPTYPING);
    ASSERT_EQ(typed.size(), 3u);
    EXPECT_EQ(typed[0].text, "a");
    EXPECT_EQ(typed[1].text, "a"); // trailing blanks are cut
    EXPECT_EQ(typed[2].text, "a b");
    EXPECT_EQ(typed[2].row, 2);
}

TEST_F(GridEditor, WidensToItsTextWithinTheGrid) {
    CGridCtrl* grid = MakeLineGrid();
    CGridCellEdit* editor = StartEdit(grid, 2, 'x');
    ASSERT_NE(editor, nullptr);
    const int before = editor->GetSize().GetWidth();
    for (int i = 0; i < 40; ++i)
        TypeChar(editor, 'W');
    EXPECT_GT(editor->GetSize().GetWidth(), before);
    EXPECT_LE(editor->GetRect().GetRight(), grid->GetClientSize().GetWidth());
}

TEST_F(GridEditor, AltSCommitsAndKeepsEditing) {
    CGridCtrl* grid = MakeLineGrid();
    CGridCellEdit* editor = StartEdit(grid, 2, '4');
    ASSERT_NE(editor, nullptr);
    wxKeyEvent hook(wxEVT_CHAR_HOOK);
    hook.m_keyCode = 'S';
    hook.SetAltDown(true);
    hook.SetEventObject(editor);
    editor->GetEventHandler()->ProcessEvent(hook);
    ASSERT_EQ(frame->Of(GVN_ENDLABELEDIT).size(), 1u);
    EXPECT_EQ(grid->GetItemText(2, 2), "4");
    EXPECT_EQ(OpenEditor(grid), editor);
}
