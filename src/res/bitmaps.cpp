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

wxBitmap TipBulbBitmap() {
    wxBitmap bulb(32, 32, 24);
    wxMemoryDC dc(bulb);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    dc.SetPen(wxPen(wxColour(128, 128, 0)));
    dc.SetBrush(wxBrush(wxColour(255, 255, 0)));
    dc.DrawCircle(16, 12, 9);
    dc.SetBrush(wxBrush(wxColour(192, 192, 192)));
    dc.DrawRectangle(12, 21, 9, 7);
    dc.SetPen(wxPen(wxColour(128, 128, 128)));
    dc.DrawLine(12, 24, 21, 24);
    dc.SelectObject(wxNullBitmap);
    return bulb;
}

} // namespace res
