#include "work/work_page.h"
#include "work/guarded.h"
#include "work/page_layout.h"
#include "work/work_sheet.h"

#include "app/main_frame.h"
#include "grid/grid_cell_edit.h"
#include "grid/grid_ctrl.h"

CWorkPage::CWorkPage(CWorkSheet* sheet, const wxString& title)
    : wxPanel(sheet, wxID_ANY), m_strTitle(title) {
    // The page lays itself out over its own client area, again whenever it changes,
    // once it is built and in its sheet.
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        m_bLayoutPending = true;
        LayOutUnlessEditing();
    });
    // A resize ends the grid's in-place edit: while a cell is typed into (the look-up
    // pane opening above takes room from the page) the layout waits for the edit's end.
    Bind(wxEVT_IDLE, [this](wxIdleEvent& event) {
        event.Skip();
        if (m_bLayoutPending) LayOutUnlessEditing();
    });
}

void CWorkPage::LayOutUnlessEditing() {
    if (!m_bLayoutPending || GetSheet()->FindPage(this) == wxNOT_FOUND) return;
    if (const CGridCtrl* grid = GetLineGrid())
        for (const wxWindow* child : grid->GetChildren())
            if (auto* edit = dynamic_cast<const CGridCellEdit*>(child); edit && !edit->IsClosing())
                return;
    m_bLayoutPending = false;
    work::FitSpinButtons(this);
    work::Guarded([this] { ArrangeControls(); });
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
