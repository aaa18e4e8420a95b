#include "app/tool_tips.h"

#include <map>
#include <memory>
#include <wx/timer.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

namespace {

// The tip taken from a used tool while the pointer stays on the bar; it goes back
// as soon as the pointer is off the bar (or the bar is hidden).
class TipRest : public wxTimer {
public:
    explicit TipRest(wxToolBar* bar) : bar_(bar) {}

    void Begin(int id) {
        const wxToolBarToolBase* tool = bar_->FindById(id);
        if (!tool || tool->GetShortHelp().empty()) return;
        kept_[id] = tool->GetShortHelp();
        bar_->SetToolShortHelp(id, wxString());
        Start(100);
    }

    void Notify() override {
        if (bar_->IsShownOnScreen() && bar_->GetScreenRect().Contains(wxGetMousePosition())) return;
        Stop();
        for (const auto& [id, tip] : kept_)
            bar_->SetToolShortHelp(id, tip);
        kept_.clear();
    }

private:
    wxToolBar* bar_;
    std::map<int, wxString> kept_;
};

} // namespace

void RestTipsAfterUse(wxToolBar* bar) {
    auto rest = std::make_shared<TipRest>(bar);
    bar->Bind(wxEVT_TOOL, [rest](wxCommandEvent& event) {
        event.Skip();
        rest->Begin(event.GetId());
    });
}
