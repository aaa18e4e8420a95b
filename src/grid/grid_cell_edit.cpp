#include "grid/grid_cell_edit.h"

#include "grid/grid_ctrl.h"
#include "grid/grid_keys.h"

#include <algorithm>
#include <wx/weakref.h>

bool CGridCellEdit::IsLookupColumn(const wxString& title) {
    return title == wxString::FromUTF8("项目名称") || title == wxString::FromUTF8("编号") ||
           title == wxString::FromUTF8("零件名称");
}

CGridCellEdit::CGridCellEdit(wxWindow* parent, const wxRect& rect, long style, int id, int row,
                             int col, const wxString& initText, int firstKey,
                             const wxString& columnTitle, int caretPos)
    : wxTextCtrl(parent, id, initText, rect.GetPosition(), rect.GetSize(),
                 style | wxTE_PROCESS_ENTER | wxTE_PROCESS_TAB | wxBORDER_SIMPLE),
      m_nRow(row), m_nColumn(col), m_sInitText(initText), m_sColumnTitle(columnTitle),
      m_Rect(rect) {
    if (auto* grid = dynamic_cast<CGridCtrl*>(parent)) SetFont(grid->GetGridFont());
    Bind(wxEVT_KEY_DOWN, &CGridCellEdit::OnKeyDown, this);
    Bind(wxEVT_CHAR, &CGridCellEdit::OnChar, this);
    Bind(wxEVT_CHAR_HOOK, &CGridCellEdit::OnCharHook, this);
    Bind(wxEVT_TEXT, &CGridCellEdit::OnText, this);
    Bind(wxEVT_KILL_FOCUS, &CGridCellEdit::OnKillFocus, this);
    SetFocus();

    ApplyFirstKey(firstKey, caretPos);
}

void CGridCellEdit::ApplyFirstKey(int firstKey, int caretPos) {
    const long end = GetLastPosition();
    if (firstKey == kEditKeyMouse || firstKey == VK_RETURN) {
        SetInsertionPoint(caretPos != 0 ? caretPos : end);
        ShowPosition(GetInsertionPoint());
    } else if (firstKey == VK_BACK) {
        SetInsertionPoint(end);
        TypeCharacter(VK_BACK);
    } else if (firstKey == VK_TAB || firstKey == VK_SPACE || firstKey == kEditKeyNone ||
               IsNavigationEditKey(firstKey)) {
        SelectAll();
    } else {
        SelectAll();
        TypeCharacter(firstKey);
    }
}

void CGridCellEdit::Notify(int code, int row, const wxString& text) {
    wxWindow* grid = GetParent();
    if (!grid) return;
    CGridNotifyEvent event(code, GetId(), row, m_nColumn);
    event.SetEventObject(this);
    event.strText = text;
    event.lParam = m_nLastChar;
    event.iImage = m_nLastTyped;
    event.textChanged = m_bTyped && m_nLastChar != VK_ESCAPE;
    grid->GetEventHandler()->ProcessEvent(event);
}

void CGridCellEdit::EndEdit(bool close) {
    if (m_bClosing) return;
    if (close) m_bClosing = true;
    wxWeakRef<CGridCellEdit> self(this);
    Notify(GVN_ENDLABELEDIT, m_nRow, GetValue());
    if (!close || !self) return;
    Hide();
    // Destroyed once the current event is over; the grid discards the request
    // if it goes first.
    if (wxWindow* grid = GetParent())
        grid->CallAfter([self]() {
            if (self) self->Destroy();
        });
}

void CGridCellEdit::Leave(int vk) {
    m_nLastChar = vk;
    wxWeakRef<CGridCellEdit> self(this);
    if (wxWindow* grid = GetParent()) grid->SetFocus();
    if (self) EndEdit(true);
}

void CGridCellEdit::OnKeyDown(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    long from = 0, to = 0;
    GetSelection(&from, &to);
    switch (key) {
    case WXK_PAGEUP:
    case WXK_PAGEDOWN:
    case WXK_UP:
    case WXK_DOWN:
        Leave(VkFromWxKey(key));
        return;
    case WXK_RIGHT:
        if (from == 0 || from >= GetLastPosition())
            Leave(VK_RIGHT);
        else
            SetInsertionPoint(from + 1);
        return;
    case WXK_LEFT:
        if (from == 0)
            Leave(VK_LEFT);
        else
            SetInsertionPoint(from - 1);
        return;
    default:
        break;
    }
    if (event.ShiftDown() || event.ControlDown() || event.AltDown()) {
        int digit = 0;
        if (key >= '1' && key <= '9') digit = key - '0';
        if (key >= WXK_NUMPAD1 && key <= WXK_NUMPAD9) digit = key - WXK_NUMPAD0;
        if (digit) {
            // The digit picks a row of the lookup list: the typed text goes to the grid
            // first, then the pick.
            const int col = m_nColumn;
            const int id = GetId();
            wxWindow* grid = GetParent();
            wxWeakRef<CGridCellEdit> self(this);
            if (grid) grid->SetFocus();
            if (self) EndEdit(true);
            if (grid) {
                CGridNotifyEvent pick(GVN_LOOKUPPICK, id, digit, col);
                pick.SetEventObject(self ? static_cast<wxObject*>(self.get()) : grid);
                grid->GetEventHandler()->ProcessEvent(pick);
            }
            return;
        }
    }
    event.Skip();
}

void CGridCellEdit::OnChar(wxKeyEvent& event) {
    const int ch = event.GetUnicodeKey();
    if (event.ControlDown() || event.AltDown() || ch == WXK_NONE) {
        event.Skip();
        return;
    }
    switch (ch) {
    case WXK_TAB:
        Leave(VK_TAB);
        return;
    case WXK_RETURN:
        Leave(VK_RETURN);
        return;
    case WXK_ESCAPE:
        ChangeValue(m_sInitText);
        Leave(VK_ESCAPE);
        return;
    default:
        TypeCharacter(ch);
        return;
    }
}

// Types one character as the edit control would: a backspace removes the selection
// or the character before the caret, anything else replaces the selection.
void CGridCellEdit::TypeCharacter(int ch) {
    m_bTyped = true;
    if (ch == VK_BACK) {
        long from = 0, to = 0;
        GetSelection(&from, &to);
        if (from != to)
            Remove(from, to);
        else if (from > 0)
            Remove(from - 1, from);
        return;
    }
    if (ch < VK_SPACE) return;
    m_nLastTyped = ch;
    WriteText(wxString(wxUniChar(static_cast<unsigned>(ch))));
}

// Alt+S and Alt+X are a dialog's save and exit: the cell's text reaches the grid
// before the button acts.
void CGridCellEdit::OnCharHook(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if (event.AltDown() && (key == 'S' || key == 'X' || key == 's' || key == 'x')) EndEdit(false);
    event.Skip();
}

void CGridCellEdit::OnText(wxCommandEvent&) {
    if (m_bClosing) return;
    // Widen to the text (plus two blanks), within the grid's client area.
    const int textWidth = GetTextExtent(GetValue() + "  ").GetWidth();
    if (textWidth > m_Rect.width) {
        int right = m_Rect.x + textWidth;
        if (wxWindow* grid = GetParent()) right = std::min(right, grid->GetClientSize().GetWidth());
        if (right - m_Rect.x > m_Rect.width) {
            m_Rect.width = right - m_Rect.x;
            SetSize(m_Rect);
        }
    }
    if (IsLookupColumn(m_sColumnTitle)) {
        wxString typed = GetValue();
        typed.Trim(true);
        if (!typed.empty()) Notify(GVN_LOOKUPTYPING, m_nRow, typed);
    }
}

void CGridCellEdit::OnKillFocus(wxFocusEvent& event) {
    EndEdit(true);
    event.Skip();
}
