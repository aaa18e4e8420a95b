#include "app/shutdown_request.h"

#include <algorithm>
#include <csignal>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/evtloop.h>

namespace {
constexpr int kStepMs = 50;
}

CShutdownRequest* CShutdownRequest::s_pRequest = nullptr;

void CShutdownRequest::Install() {
    if (s_pRequest) return;
    s_pRequest = new CShutdownRequest; // lives as long as the process
    // wx runs the handler from the event loop, not in the signal's context.
    wxTheApp->SetSignalHandler(SIGTERM, [](int) { Ask(); });
}

bool CShutdownRequest::Asked() {
    return s_pRequest && s_pRequest->m_bAsked;
}

void CShutdownRequest::Ask() {
    if (!s_pRequest || s_pRequest->m_bAsked) return;
    s_pRequest->m_bAsked = true;
    s_pRequest->Start(kStepMs);
    s_pRequest->Notify();
}

CShutdownRequest::CShutdownRequest() {
    wxModalDialogHook::Register();
}

CShutdownRequest::~CShutdownRequest() = default;

int CShutdownRequest::Enter(wxDialog* dialog) {
    if (m_bAsked) return wxID_CANCEL;
    m_openDialogs.push_back(dialog);
    return wxID_NONE;
}

void CShutdownRequest::Exit(wxDialog* dialog) {
    auto found = std::find(m_openDialogs.rbegin(), m_openDialogs.rend(), dialog);
    if (found != m_openDialogs.rend()) m_openDialogs.erase(std::next(found).base());
}

// One step a tick, always from a loop's own dispatch: never inside a yield, where
// the code that opened the loop is still running.
void CShutdownRequest::Notify() {
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    if (!loop || loop->IsYielding()) return;
    if (!m_openDialogs.empty()) {
        wxDialog* innermost = m_openDialogs.back();
        if (innermost->IsModal()) innermost->EndModal(wxID_CANCEL);
        return;
    }
    if (!loop->IsMain()) return;
    Stop();
    if (wxWindow* top = wxTheApp->GetTopWindow())
        top->Close(true);
    else
        wxTheApp->ExitMainLoop();
}
