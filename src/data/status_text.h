#pragma once
// The text of the main window's status bar. By default it goes to the first pane of
// the top window's status bar, when there is one; tests install a recorder.
#include <functional>
#include <wx/string.h>

using StatusTextHandler = std::function<void(const wxString& text)>;

// Replaces the handler; returns the previous one. An empty handler restores the default.
StatusTextHandler SetStatusTextHandler(StatusTextHandler handler);
void SetMainStatusText(const wxString& text);
