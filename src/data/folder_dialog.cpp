#include "data/folder_dialog.h"

#include <wx/app.h>
#include <wx/dirdlg.h>

namespace {

FolderDialogHandler& Handler() {
    static FolderDialogHandler handler;
    return handler;
}

// No owner window; the user may type a path, which must name an existing folder.
wxString ShowDirDialog(const wxString& title) {
    if (!wxTheApp || !wxTheApp->IsGUI()) return wxString();
    wxDirDialog dialog(nullptr, title, wxString(), wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
    return dialog.ShowModal() == wxID_OK ? dialog.GetPath() : wxString();
}

} // namespace

FolderDialogHandler SetFolderDialogHandler(FolderDialogHandler handler) {
    FolderDialogHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

wxString ShowFolderDialog(const wxString& title) {
    return Handler() ? Handler()(title) : ShowDirDialog(title);
}
