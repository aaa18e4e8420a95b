#include "work/work_page.h"
#include "work/guarded.h"
#include "work/page_layout.h"
#include "work/work_sheet.h"

#include "app/main_frame.h"
#include "grid/grid_cell_edit.h"
#include "grid/grid_ctrl.h"

#include <wx/button.h>

namespace {

// The shown, enabled button below window whose label marks letter with "&".
wxButton* ButtonOfMnemonic(wxWindow* window, wxChar letter) {
    for (wxWindow* child : window->GetChildren()) {
        if (!child->IsShown() || !child->IsEnabled()) continue;
        if (auto* button = dynamic_cast<wxButton*>(child)) {
            wxString label;
            const int at = wxControl::FindAccelIndex(button->GetLabel(), &label);
            if (at >= 0 && wxToupper(label[at]) == letter) return button;
        } else if (!child->IsTopLevel()) {
            if (wxButton* inner = ButtonOfMnemonic(child, letter)) return inner;
        }
    }
    return nullptr;
}

} // namespace

CWorkPage::CWorkPage(CWorkSheet* sheet, const wxString& title)
    : wxPanel(sheet, wxID_ANY), m_strTitle(title) {
    Bind(wxEVT_CHAR_HOOK, &CWorkPage::OnCharHook, this);
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

// Alt with a letter presses the page's own button of that letter before the menu bar
// sees it: the focus is on the page, so 存档(S) wins over the menu's 查询(S). GTK would
// only cycle the focus between two owners of one letter.
void CWorkPage::OnCharHook(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if (event.GetModifiers() == wxMOD_ALT && key >= 'A' && key <= 'Z')
        if (wxButton* button = ButtonOfMnemonic(this, wxChar(key))) {
            wxCommandEvent click(wxEVT_BUTTON, button->GetId());
            click.SetEventObject(button);
            button->GetEventHandler()->ProcessEvent(click);
            return;
        }
    event.Skip();
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
