#pragma once
// How a work page lays its controls out over its own client area (the page under
// its tab), one way for every page: rows and columns of buttons as wide as their
// texts need, never overlapping, kept inside the page; the frame drawn around them.
// The pages call these from ArrangeControls, which runs again on every resize.
#include <vector>
#include <wx/gdicmn.h>

class wxWindow;

namespace work {

// Room between the page's edge and its controls, and between two buttons.
constexpr int kPageMargin = 6;
constexpr int kButtonGap = 4;
// Room between a frame and the buttons it holds (the top takes the frame's line).
constexpr int kFramePad = 5;

// The size a button of the page takes: its own, or wider when its text needs it.
wxSize ButtonSize(wxWindow* page, int id);

// The shown buttons of `ids` side by side, tops at y, centred on centreX but moved
// left or right so that the row stays inside the page as far as it fits; returns
// the rectangle they fill.
wxRect PlaceButtonRow(wxWindow* page, const std::vector<int>& ids, int y, int centreX);

// The shown buttons of `ids` one under another from `top`, all as wide as the
// widest, right edges at `right`; returns the rectangle they fill.
wxRect PlaceButtonColumn(wxWindow* page, const std::vector<int>& ids, int right, int top);

// The command row of `ids` centred at the foot of the page inside the frame of
// resource ID frameId; returns the rectangle of the buttons. FrameTop gives the top
// of its frame, where what stands above must end.
wxRect PlaceFootRow(wxWindow* page, const std::vector<int>& ids, int frameId);
inline int FrameTop(const wxRect& row) {
    return row.y - 2 * kFramePad;
}

// The grid from `top` down to `bottom` (exclusive, less kPageMargin), across the
// page's width up to `right` (exclusive, less kPageMargin; 0: the page's width),
// at least 40 pixels high.
void PlaceGrid(wxWindow* page, wxWindow* grid, int top, int bottom, int right = 0);

// The control of resource ID id right of `left`, `gap` pixels away, its middle level
// with the middle of `left`, as wide as its text needs or its own width; returns the
// rectangle it takes (a hidden control takes none).
wxRect PlaceRightOf(wxWindow* page, int id, const wxRect& left, int gap);

// The lowest bottom edge of the shown controls that stand above `grid` (the page's
// header; frames aside, which may reach down beside it), plus kPageMargin: where the
// grid may start.
int BelowHeader(wxWindow* page, wxWindow* grid);

// Fits each up-down control of the page beside its edit again, now that the page
// is on the screen (res::TemplateSpin::FitAgain).
void FitSpinButtons(wxWindow* page);

// The frame of resource ID frameId drawn around `inner` with kFramePad of room.
void FrameAround(wxWindow* page, int frameId, const wxRect& inner);

} // namespace work
