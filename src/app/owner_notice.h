#pragma once
// The notices that the shared small dialogs (item pick list, record navigation bar)
// post to the window they serve, with the codes the forms' handlers test: one event
// type, so an owner answers both in one handler as it always has. A notice that
// points at a text carries a copy of it, so the text outlives its sender.
#include <wx/event.h>
#include <wx/string.h>

class wxWindow;

class COwnerNoticeEvent : public wxEvent {
public:
    // The first parameter of a notice that carries a text.
    static constexpr long kText = 1;

    explicit COwnerNoticeEvent(long wParam = 0, long lParam = 0, const wxString& text = wxString());

    long GetWParam() const { return m_wParam; }
    long GetLParam() const { return m_lParam; }
    const wxString& GetText() const { return m_text; }
    wxEvent* Clone() const override { return new COwnerNoticeEvent(*this); }

private:
    long m_wParam;
    long m_lParam;
    wxString m_text;
};

wxDECLARE_EVENT(qvEVT_OWNER_NOTICE, COwnerNoticeEvent);

// Queues a notice for the target; nothing happens without one. A notice still queued
// when its target is destroyed is dropped with it.
void PostOwnerNotice(wxWindow* target, long wParam, long lParam, const wxString& text = wxString());
