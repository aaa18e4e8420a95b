#pragma once
// What the window manager of the test display says about the program's windows, read
// from the root window's standard properties: which window is active and how the
// managed windows are stacked.
#include <wx/gdicmn.h>

class wxWindow;

namespace qv_test {

// Whether a window manager runs on the display (it names itself on the root window).
bool WindowManagerRunning();
// The X window of a shown top-level window; 0 when it has none.
unsigned long XWindowOf(wxWindow* topLevel);
// The window the manager has made active; 0 when none.
unsigned long ActiveXWindow();
// Where the X server has a shown top-level window now, in root coordinates (after
// the window manager placed it); empty when it has no X window.
wxRect XScreenRectOf(wxWindow* topLevel);
// Whether upper is stacked above lower among the managed windows.
bool StackedAbove(wxWindow* upper, wxWindow* lower);

} // namespace qv_test
