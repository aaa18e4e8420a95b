#include "app/qv_view.h"

#include "app/main_frame.h"
#include "app/qv_doc.h"

CQvView::CQvView(wxWindow* parent) : wxPanel(parent, wxID_ANY) {
    Bind(wxEVT_SIZE, &CQvView::OnSize, this);
}

void CQvView::OnSize(wxSizeEvent& event) {
    event.Skip();
    if (wxWindow* grid = FindWindow(CQvDoc::kMainGridId)) grid->SetSize(GetClientSize());
    if (CMainFrame* frame = CMainFrame::Get()) frame->PlaceActiveSheet();
}

// The document saves the current grid; it says so when there is none, so the
// command never ends without a word (the menu may have taken the focus from the grid).
void CQvView::OnFileSave() {
    if (CMainFrame* frame = CMainFrame::Get()) frame->GetDocument().OnFileSave();
}
