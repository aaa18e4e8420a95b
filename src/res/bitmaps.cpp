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

wxBitmap AboutPictureBitmap() {
    wxBitmap picture(48, 48, 24);
    wxMemoryDC dc(picture);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    dc.SetPen(wxPen(wxColour(0, 0, 128), 2));
    dc.SetBrush(wxBrush(wxColour(0, 64, 160)));
    dc.DrawRoundedRectangle(2, 2, 44, 44, 8);
    // A wheel: the workshop's trade.
    dc.SetPen(wxPen(*wxWHITE, 3));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawCircle(24, 24, 14);
    dc.SetBrush(*wxWHITE_BRUSH);
    dc.DrawCircle(24, 24, 4);
    dc.DrawLine(24, 10, 24, 38);
    dc.DrawLine(10, 24, 38, 24);
    dc.SelectObject(wxNullBitmap);
    return picture;
}

wxBitmap HelpBookBitmap() {
    wxBitmap book(16, 16, 24);
    wxMemoryDC dc(book);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    dc.SetPen(wxPen(wxColour(0, 0, 128)));
    dc.SetBrush(wxBrush(wxColour(0, 128, 255)));
    dc.DrawRectangle(2, 1, 12, 14);
    dc.SetPen(*wxWHITE_PEN);
    dc.DrawLine(5, 5, 12, 5);
    dc.DrawLine(5, 8, 12, 8);
    dc.SelectObject(wxNullBitmap);
    return book;
}

} // namespace res
