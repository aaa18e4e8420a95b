#pragma once
// CViewPrintPreview: the window of a grid's print preview, with the preview bar
// (print, pages, one or two pages a sheet, zoom, close). Every page comes from the
// grid's own printing, so the preview shows what a print job sends. Closing it clears
// the grid's preview mark; a grid that goes away closes its preview.
#include <wx/print.h>

class CGridCtrl;

class CViewPrintPreview : public wxPreviewFrame {
public:
    CViewPrintPreview(wxPrintPreview* preview, CGridCtrl* grid, wxWindow* mainWindow,
                      bool twoPages = false);
    ~CViewPrintPreview() override;

    // The one/two page button: the preview opens again with the other number of
    // pages a sheet.
    void OnTogglePages();
    bool IsTwoPages() const { return m_bTwoPages; }

    CGridCtrl* m_pGrid;
    wxWindow* m_pOldMainWnd;

protected:
    void CreateControlBar() override;

private:
    void OnGridDestroyed(wxWindowDestroyEvent& event);

    bool m_bTwoPages;
};
