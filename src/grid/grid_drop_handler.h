#pragma once
// CGridDropHandler: the drop target of a grid window. It hands every drag event
// over the grid to the grid's own handlers and ignores events for other windows.
#include <wx/dnd.h>

class CGridCtrl;
class wxWindow;

class CGridDropHandler : public wxDropTarget {
public:
    CGridDropHandler();

    // Registers for the grid's window. False when already registered, or when the
    // window is null or no grid. The window owns the target from then on.
    bool Register(wxWindow* window);
    // Ends the registration; the window deletes the target.
    void Revoke();

    wxDragResult OnEnter(wxCoord x, wxCoord y, wxDragResult def) override;
    wxDragResult OnDragOver(wxCoord x, wxCoord y, wxDragResult def) override;
    void OnLeave() override;
    bool OnDrop(wxCoord x, wxCoord y) override;
    wxDragResult OnData(wxCoord x, wxCoord y, wxDragResult def) override;

    CGridCtrl* m_pGridCtrl = nullptr;
    bool m_bRegistered = false;
};
