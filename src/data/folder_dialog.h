#pragma once
// The folder chooser of the backup and restore commands. The program shows a
// directory dialog; tests install a handler that answers with a folder (or with an
// empty text for Cancel) and read back the title that was shown.
#include <functional>
#include <wx/string.h>

using FolderDialogHandler = std::function<wxString(const wxString& title)>;

// Replaces the handler; returns the previous one. An empty handler restores the
// dialog (without a graphical application: Cancel).
FolderDialogHandler SetFolderDialogHandler(FolderDialogHandler handler);
// The chosen folder without a closing separator; empty when cancelled.
wxString ShowFolderDialog(const wxString& title);
