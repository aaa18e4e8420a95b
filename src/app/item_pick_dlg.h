#pragma once
// The item pick list: a small always-on-top window with one list of texts. A form
// that wants a live list of matches under its typing sets CMainFrame::m_hPickTarget
// to itself, creates the list, fills it and keeps the only pointer to it. The list
// knows nothing of the data: it posts the chosen row's text (qvEVT_OWNER_NOTICE,
// lParam 19099, then a close notice 99999 with wParam 0), or a close notice carrying
// the text without a choice, to whatever window the frame names at that moment. The
// owner destroys it; it never destroys itself.
#include <wx/dialog.h>

class wxListCtrl;

class CItemPickDlg : public wxDialog {
public:
    enum : long { kChosen = 19099, kClose = 99999 };

    // Creates the window, centred on the screen and shown without taking the focus
    // from the owner's box; the main window becomes its owner. (Show() would take the
    // focus: an owner that shows the list again uses ShowWithoutActivating().)
    explicit CItemPickDlg(wxWindow* parent = nullptr);

    // The owner's filling: a row at the end with the text, trailing blanks removed.
    void AddItem(const wxString& text);
    void DeleteAllItems();
    // The owner's answer to Up, Down or Page Down in its typing: the keyboard focus
    // goes into the list, on the row below the top visible one (its top row marked,
    // then one Down key), so Enter chooses from there.
    void EnterList();

    wxListCtrl* m_list;

private:
    void PostChoice();
    bool IsListFocused() const;
    void OnListClick(wxMouseEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnListMouse(wxMouseEvent& event);
    void OnListRightDown(wxMouseEvent& event);

    wxString m_strChoice; // the row chosen last; a close without a choice carries it too
    // The first input that reaches the list only primes it: a key still on its way
    // from the owner's box must not choose.
    bool m_bFilterPrimed = false;
};
