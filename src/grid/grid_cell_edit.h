#pragma once
// CGridCellEdit: the edit control laid over a cell while it is edited. It owns
// itself: it reports the text to its grid (notification -106) when editing ends
// and then destroys itself.
#include <wx/textctrl.h>

class CGridCellEdit : public wxTextCtrl {
public:
    // The columns whose typed text filters the lookup list while the operator types.
    static bool IsLookupColumn(const wxString& title);

    CGridCellEdit(wxWindow* parent, const wxRect& rect, long style, int id, int row, int col,
                  const wxString& initText, int firstKey, const wxString& columnTitle,
                  int caretPos = 0);

    // Places the caret or selects by the key that started the edit, and types it
    // when it is a character.
    void ApplyFirstKey(int firstKey, int caretPos = 0);
    bool HasTyped() const { return m_bTyped; }
    // Sends the text to the grid; with close, the editor then goes away.
    void EndEdit(bool close);
    bool IsClosing() const { return m_bClosing; }

    int m_nRow;
    int m_nColumn;
    wxString m_sInitText;
    wxString m_sColumnTitle;
    int m_nLastChar = 0; // virtual-key number of the key that ended the edit
    bool m_bExitOnArrows = true;
    wxRect m_Rect;

private:
    void OnKeyDown(wxKeyEvent& event);
    void OnChar(wxKeyEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnText(wxCommandEvent& event);
    void OnKillFocus(wxFocusEvent& event);
    void TypeCharacter(int ch);
    // Records the key and hands the focus back to the grid, which ends the edit.
    void Leave(int vk);
    void Notify(int code, int row, const wxString& text);

    bool m_bClosing = false;
    bool m_bTyped = false;
    int m_nLastTyped = 0;
};
