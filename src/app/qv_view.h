#pragma once
// The upper pane: the host of the main grid (child window CQvDoc::kMainGridId),
// which always fills it. Save and Save As reach the document from here.
#include <wx/panel.h>

class CQvView : public wxPanel {
public:
    explicit CQvView(wxWindow* parent);

    // Saves the current grid when the focus is in a grid; any other focus has
    // nothing to save.
    void OnFileSave();

private:
    void OnSize(wxSizeEvent& event);
};
