#include "data/status_text.h"

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/statusbr.h>

namespace {

StatusTextHandler& Handler() {
    static StatusTextHandler handler;
    return handler;
}

void ShowInTopWindow(const wxString& text) {
    if (!wxTheApp || !wxTheApp->IsGUI()) return;
    auto* frame = wxDynamicCast(wxTheApp->GetTopWindow(), wxFrame);
    if (frame && frame->GetStatusBar()) frame->SetStatusText(text, 0);
}

} // namespace

StatusTextHandler SetStatusTextHandler(StatusTextHandler handler) {
    StatusTextHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

void SetMainStatusText(const wxString& text) {
    if (Handler())
        Handler()(text);
    else
        ShowInTopWindow(text);
}
