#include "res/bitmaps.h"

#include <wx/dcmemory.h>

namespace res {

wxBitmap GridCellImagesBitmap() {
    wxBitmap strip(16, 16, 24);
    wxMemoryDC dc(strip);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    dc.SetPen(wxPen(wxColour(0, 0, 128)));
    dc.SetBrush(wxBrush(wxColour(0, 0, 128)));
    const wxPoint arrow[] = {{4, 3}, {12, 8}, {4, 13}};
    dc.DrawPolygon(3, arrow);
    dc.SelectObject(wxNullBitmap);
    return strip;
}

} // namespace res
