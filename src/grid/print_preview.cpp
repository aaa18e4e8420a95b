#include "grid/print_preview.h"

#include "grid/grid_ctrl.h"

CViewPrintPreview::CViewPrintPreview(wxPrintPreview* preview, CGridCtrl* grid, wxWindow* mainWindow)
    : wxPreviewFrame(preview, mainWindow, wxString::FromUTF8("打印预览")), m_pGrid(grid),
      m_pOldMainWnd(mainWindow) {
    m_pGrid->m_bPreviewing = true;
    m_pGrid->Bind(wxEVT_DESTROY, &CViewPrintPreview::OnGridDestroyed, this);
}

CViewPrintPreview::~CViewPrintPreview() {
    if (!m_pGrid) return;
    m_pGrid->m_bPreviewing = false;
    m_pGrid->Unbind(wxEVT_DESTROY, &CViewPrintPreview::OnGridDestroyed, this);
}

// The pages are drawn from the grid: without it the preview has nothing to show.
void CViewPrintPreview::OnGridDestroyed(wxWindowDestroyEvent& event) {
    event.Skip();
    if (event.GetEventObject() != m_pGrid) return;
    m_pGrid = nullptr;
    Hide();
    Destroy();
}
