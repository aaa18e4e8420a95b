#include "work/active_sheet.h"

#include "app/main_frame.h"

namespace active_sheet {

bool Exists() {
    CMainFrame* frame = CMainFrame::Get();
    return frame && frame->m_pActiveSheet;
}

wxString Customer() {
    return wxString();
}

void SetCustomer(const wxString&) {}

void ReactivatePage() {}

void AddServiceLines(const std::vector<const CServiceUsage::Item*>&) {}

const wxString& WalkIn() {
    static const wxString text = wxString::FromUTF8("零散客户");
    return text;
}

} // namespace active_sheet
