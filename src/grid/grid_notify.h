#pragma once
// Notifications of the grid to its owner, and of the in-place editor to its
// grid: one event type carrying the notification code, the cell and, for the
// editor's notifications, the text and the key.
#include <wx/event.h>

enum GridNotifyCode : int {
    GVN_SELCHANGING = -100, // focus cell about to change
    GVN_SELCHANGED = -101,  // focus cell changed
    GVN_BEGINLABELEDIT = -105,
    GVN_ENDLABELEDIT = -106,
    GVN_BEGINDRAG = -109,
    GVN_LOOKUPTYPING = 1928, // text typed in an item column
    GVN_LOOKUPPICK = 1929,   // Shift, Ctrl or Alt with a digit 1 to 9
};

class CGridNotifyEvent : public wxCommandEvent {
public:
    CGridNotifyEvent(int code = 0, int windowId = 0, int row = -1, int col = -1);
    wxEvent* Clone() const override { return new CGridNotifyEvent(*this); }

    int code;
    int row;
    int col;
    wxString strText;
    int iImage = 0;
    long lParam = 0;
    // End of an edit: whether the operator changed the text. An editor that was
    // opened and left without typing reports the cell as it was.
    bool textChanged = true;
    long result = 0; // the receiver's answer
};

wxDECLARE_EVENT(qvEVT_GRID_NOTIFY, CGridNotifyEvent);
