// The frame's work-sheet slots. The frame knows its sheets only as windows: a sheet
// shows and hides whatever floats with it (its picker) in its own Show.
#include "app/main_frame.h"
#include "app/text_view.h"

#include <wx/app.h>

namespace {

// A sheet often closes from a handler of one of its own pages: it is hidden now and
// deleted once that handler has returned.
void DisposeSheet(wxWindow* sheet) {
    sheet->Hide();
    if (wxTheApp)
        wxTheApp->ScheduleForDestruction(sheet);
    else
        delete sheet;
}

} // namespace

wxWindow* CMainFrame::GetSheetPane() const {
    return m_pTextView;
}

void CMainFrame::InstallSheet(SheetKind kind, wxWindow* sheet) {
    if (m_pActiveSheet && m_pActiveSheet != sheet) m_pActiveSheet->Hide();
    wxWindow*& slot = m_pSheets[int(kind)];
    if (slot && slot != sheet) {
        if (m_pActiveSheet == slot) m_pActiveSheet = nullptr;
        DisposeSheet(slot);
    }
    slot = sheet;
    m_pActiveSheet = sheet;
    if (!sheet) return;
    PlaceActiveSheet();
    sheet->Show();
    RelayoutPanes();
}

void CMainFrame::CloseSheet(SheetKind kind) {
    wxWindow*& slot = m_pSheets[int(kind)];
    if (slot) {
        if (m_pActiveSheet == slot) m_pActiveSheet = nullptr;
        DisposeSheet(slot);
        slot = nullptr;
    }
    ActivateNextSheet();
}

void CMainFrame::CloseAllSheets() {
    bool activeInSlot = false;
    for (wxWindow* slot : m_pSheets)
        activeInSlot = activeInSlot || slot == m_pActiveSheet;
    if (m_pActiveSheet && !activeInSlot) DisposeSheet(m_pActiveSheet);
    for (wxWindow*& slot : m_pSheets)
        if (slot) {
            DisposeSheet(slot);
            slot = nullptr;
        }
    m_pActiveSheet = nullptr;
}

void CMainFrame::ActivateNextSheet() {
    const SheetKind order[] = {SheetKind::Sales, SheetKind::Repair, SheetKind::CodeTable,
                               SheetKind::Order, SheetKind::Return, SheetKind::Warranty};
    m_pActiveSheet = nullptr;
    for (SheetKind kind : order)
        if (wxWindow* sheet = m_pSheets[int(kind)]) {
            m_pActiveSheet = sheet;
            PlaceActiveSheet();
            sheet->Show();
            return;
        }
}
