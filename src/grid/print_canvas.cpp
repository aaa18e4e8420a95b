#include "grid/print_canvas.h"

#include <wx/dc.h>

DcPrintCanvas::DcPrintCanvas(wxDC& dc) : m_dc(dc), m_oldFont(dc.GetFont()) {}

DcPrintCanvas::~DcPrintCanvas() {
    RestoreFont();
}

void DcPrintCanvas::TextBottom(const wxString& text, int x, int y) {
    if (text.empty()) return;
    m_dc.DrawText(text, x, y - m_dc.GetCharHeight());
}

void DcPrintCanvas::TextAt(const wxString& text, int x, int y) {
    if (!text.empty()) m_dc.DrawText(text, x, y);
}

void DcPrintCanvas::Line(int x1, int y1, int x2, int y2) {
    m_dc.DrawLine(x1, y1, x2, y2);
}

void DcPrintCanvas::SelectFont(const wxString& face, int height, bool bold) {
    wxFont font = m_dc.GetFont().IsOk() ? m_dc.GetFont() : *wxNORMAL_FONT;
    if (!face.empty()) font.SetFaceName(face);
    font.SetPixelSize(wxSize(0, height));
    font.SetWeight(bold ? wxFONTWEIGHT_BOLD : wxFONTWEIGHT_NORMAL);
    m_dc.SetFont(font);
}

void DcPrintCanvas::RestoreFont() {
    if (m_oldFont.IsOk()) m_dc.SetFont(m_oldFont);
}
