#pragma once
// A floating helper window (navigation bar, pick list) must take clicks and keys
// while the form it serves runs modally. GTK sends every input of the window group of
// a modal window to that window, so such a helper gets a window group of its own.
class wxWindow;

namespace platform {

// Exempts a top-level window from the input grab of modal dialogs; a no-op where the
// toolkit has no such grab.
void ExemptFromModalGrab(wxWindow* topLevel);

} // namespace platform
