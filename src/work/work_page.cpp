#include "work/work_page.h"
#include "work/guarded.h"
#include "work/page_layout.h"
#include "work/work_sheet.h"

#include "app/main_frame.h"

CWorkPage::CWorkPage(CWorkSheet* sheet, const wxString& title)
    : wxPanel(sheet, wxID_ANY), m_strTitle(title) {
    // The page lays itself out over its own client area, again whenever it changes,
    // once it is built and in its sheet.
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        if (GetSheet()->FindPage(this) == wxNOT_FOUND) return;
        work::FitSpinButtons(this);
        work::Guarded([this] { ArrangeControls(); });
    });
}

CWorkSheet* CWorkPage::GetSheet() const {
    return static_cast<CWorkSheet*>(GetParent());
}

// The page's own sheet, whichever sheet is in front: a page of a hidden sheet must not
// save the lines of another.
bool CWorkPage::SaveLines() {
    CMainFrame* frame = CMainFrame::Get();
    CWorkSheet* sheet = GetSheet();
    if (!frame || !sheet || !sheet->m_rsLines || !sheet->m_rsLines->IsOpen()) return false;
    frame->m_dsMain.NumberRows(sheet->m_rsLines, LinesTable());
    return frame->m_dsMain.Save(sheet->m_rsLines) == 1;
}
