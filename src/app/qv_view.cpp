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

void CQvView::OnFileSave() {
    wxWindow* focus = FindFocus();
    if (!focus) return;
    int id = focus->GetId();
    if (id != CQvDoc::kMainGridId && id != CQvDoc::kFormGridId) return;
    if (CMainFrame* frame = CMainFrame::Get()) frame->GetDocument().OnFileSave();
}
