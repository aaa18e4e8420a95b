#pragma once
// The upper pane: the host of the main grid (child window CQvDoc::kMainGridId),
// which always fills it. Save and Save As reach the document from here.
#include <wx/panel.h>

class CQvView : public wxPanel {
public:
    explicit CQvView(wxWindow* parent);

    // Saves the current grid, or says that none is chosen.
    void OnFileSave();

private:
    void OnSize(wxSizeEvent& event);
};
