#pragma once
// CViewPrintPreview: the window of a grid's print preview, with the preview bar
// (print, pages, zoom, close). Every page comes from the grid's own printing, so the
// preview shows what a print job sends. Closing it clears the grid's preview mark;
// a grid that goes away closes its preview.
#include <wx/print.h>

class CGridCtrl;

class CViewPrintPreview : public wxPreviewFrame {
public:
    CViewPrintPreview(wxPrintPreview* preview, CGridCtrl* grid, wxWindow* mainWindow);
    ~CViewPrintPreview() override;

    CGridCtrl* m_pGrid;
    wxWindow* m_pOldMainWnd;

private:
    void OnGridDestroyed(wxWindowDestroyEvent& event);
};
