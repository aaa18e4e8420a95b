#include "app/owner_notice.h"

#include <wx/window.h>

wxDEFINE_EVENT(qvEVT_OWNER_NOTICE, COwnerNoticeEvent);

COwnerNoticeEvent::COwnerNoticeEvent(long wParam, long lParam, const wxString& text)
    : wxEvent(wxID_ANY, qvEVT_OWNER_NOTICE), m_wParam(wParam), m_lParam(lParam), m_text(text) {}

void PostOwnerNotice(wxWindow* target, long wParam, long lParam, const wxString& text) {
    if (!target) return;
    auto* notice = new COwnerNoticeEvent(wParam, lParam, text);
    notice->SetEventObject(target);
    target->GetEventHandler()->QueueEvent(notice);
}
