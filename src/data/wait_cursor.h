#pragma once
// The application's wait cursor for the length of a scope, where there is a
// graphical application to show it (tests and tools run without one).
#include <wx/app.h>
#include <wx/utils.h>

class CWaitCursor {
public:
    CWaitCursor() : shown_(wxTheApp && wxTheApp->IsGUI()) {
        if (shown_) wxBeginBusyCursor();
    }
    ~CWaitCursor() {
        if (shown_) wxEndBusyCursor();
    }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    bool shown_;
};
