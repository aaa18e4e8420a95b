#include "common/grid_typing.h"
#include "common/form_driver.h"
#include "common/program_folder.h"

#include "grid/grid_cell_edit.h"
#include "grid/grid_ctrl.h"
#include "platform/wx_text.h"

#include <gtest/gtest.h>

void PressKey(wxWindow* window, int keyCode) {
    wxKeyEvent hook(wxEVT_CHAR_HOOK);
    hook.m_keyCode = keyCode;
    hook.SetEventObject(window);
    if (window->GetEventHandler()->ProcessEvent(hook)) return;
    wxKeyEvent down(wxEVT_KEY_DOWN);
    down.m_keyCode = keyCode;
    down.m_uniChar = keyCode < WXK_START ? keyCode : WXK_NONE;
    down.SetEventObject(window);
    down.SetId(window->GetId());
    if (window->GetEventHandler()->ProcessEvent(down) || keyCode >= WXK_START) return;
    wxKeyEvent ch(down);
    ch.SetEventType(wxEVT_CHAR);
    window->GetEventHandler()->ProcessEvent(ch);
}

int ColumnOf(CGridCtrl* grid, const char* title) {
    for (int col = 1; col < grid->GetColumnCount(); ++col)
        if (grid->GetItemText(0, col) == U(title)) return col;
    return -1;
}

namespace {

void TypeChar(CGridCellEdit* editor, int ch) {
    wxKeyEvent typed(wxEVT_CHAR);
    typed.m_uniChar = ch;
    typed.m_keyCode = ch < 128 ? ch : WXK_NONE;
    typed.SetEventObject(editor);
    editor->GetEventHandler()->ProcessEvent(typed);
}

} // namespace

CGridCellEdit* TypeIntoOpenCell(CGridCtrl* grid, int row, int col, const wxString& text) {
    EXPECT_GT(col, 0);
    if (col <= 0) return nullptr;
    grid->SetFocusCell(row, col);
    grid->OnEditCell(row, col, 0);
    CGridCellEdit* editor = nullptr;
    for (wxWindow* child : grid->GetChildren())
        if (auto* open = dynamic_cast<CGridCellEdit*>(child); open && open->IsShown())
            editor = open;
    EXPECT_NE(editor, nullptr);
    if (!editor) return nullptr;
    editor->SelectAll();
    for (wxUniChar ch : text)
        TypeChar(editor, int(ch.GetValue()));
    return editor;
}

void TypeIntoCell(CGridCtrl* grid, int row, int col, const wxString& text) {
    CGridCellEdit* editor = TypeIntoOpenCell(grid, row, col, text);
    ASSERT_NE(editor, nullptr);
    TypeChar(editor, WXK_RETURN);
    Pump();
}
