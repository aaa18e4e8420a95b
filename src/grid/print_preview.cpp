#include "grid/print_preview.h"

#include "grid/grid_ctrl.h"
#include "platform/wx_text.h"

#include <wx/button.h>
#include <wx/sizer.h>

namespace {

// The preview bar with the one/two page button after the toolkit's own buttons; it
// prints too when the preview has the pages to print.
class CPreviewBar : public wxPreviewControlBar {
public:
    CPreviewBar(wxPrintPreviewBase* preview, CViewPrintPreview* frame)
        : wxPreviewControlBar(preview, Buttons(preview), frame), m_pFrame(frame) {}

    void CreateButtons() override {
        wxPreviewControlBar::CreateButtons();
        auto* button = new wxButton(this, wxID_ANY, m_pFrame->IsTwoPages() ? U("单页") : U("双页"));
        button->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { m_pFrame->OnTogglePages(); });
        if (wxSizer* sizer = GetSizer()) {
            sizer->Insert(sizer->GetItemCount() - 1, button, 0, wxALIGN_CENTRE_VERTICAL | wxALL, 5);
            sizer->Layout();
        }
    }

private:
    static long Buttons(wxPrintPreviewBase* preview) {
        return preview && preview->GetPrintoutForPrinting() ? wxPREVIEW_DEFAULT | wxPREVIEW_PRINT
                                                            : wxPREVIEW_DEFAULT;
    }

    CViewPrintPreview* m_pFrame;
};

} // namespace

CViewPrintPreview::CViewPrintPreview(wxPrintPreview* preview, CGridCtrl* grid, wxWindow* mainWindow,
                                     bool twoPages)
    : wxPreviewFrame(preview, mainWindow, wxString::FromUTF8("打印预览")), m_pGrid(grid),
      m_pOldMainWnd(mainWindow), m_bTwoPages(twoPages) {
    m_pGrid->m_bPreviewing = true;
    m_pGrid->Bind(wxEVT_DESTROY, &CViewPrintPreview::OnGridDestroyed, this);
}

CViewPrintPreview::~CViewPrintPreview() {
    if (!m_pGrid) return;
    m_pGrid->m_bPreviewing = false;
    m_pGrid->Unbind(wxEVT_DESTROY, &CViewPrintPreview::OnGridDestroyed, this);
}

// The pages are drawn from the grid: without it the preview has nothing to show. It is
// closed, not just destroyed, so that its close handler enables the windows it disabled.
void CViewPrintPreview::OnGridDestroyed(wxWindowDestroyEvent& event) {
    event.Skip();
    if (event.GetEventObject() != m_pGrid) return;
    m_pGrid = nullptr;
    Close(true);
}

void CViewPrintPreview::CreateControlBar() {
    m_controlBar = new CPreviewBar(m_printPreview, this);
    m_controlBar->CreateButtons();
}

void CViewPrintPreview::OnTogglePages() {
    CGridCtrl* grid = m_pGrid;
    if (!grid) return;
    // The grid is let go first, so that it takes the new preview.
    grid->m_bPreviewing = false;
    grid->Unbind(wxEVT_DESTROY, &CViewPrintPreview::OnGridDestroyed, this);
    m_pGrid = nullptr;
    Close(true); // through the close handler, which enables the windows this preview disabled
    grid->PrintPreview(!m_bTwoPages);
}
