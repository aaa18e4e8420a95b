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
    wxString name = face;
    if (name.empty() && m_dc.GetFont().IsOk()) name = m_dc.GetFont().GetFaceName();
    wxFontInfo info(wxSize(0, height));
    if (!name.empty()) info.FaceName(name);
    m_dc.SetFont(wxFont(info.Bold(bold)));
}

void DcPrintCanvas::RestoreFont() {
    if (m_oldFont.IsOk()) m_dc.SetFont(m_oldFont);
}

int DcPrintCanvas::TextWidth(const wxString& text) {
    return text.empty() ? 0 : m_dc.GetTextExtent(text).x;
}

void DcPrintCanvas::ScaleFont(int percent) {
    if (!m_unscaled.IsOk()) {
        if (percent == 100) return;
        m_unscaled = m_dc.GetFont();
    }
    if (percent == 100) {
        m_dc.SetFont(m_unscaled);
        m_unscaled = wxNullFont;
        return;
    }
    wxFont scaled = m_unscaled;
    scaled.SetFractionalPointSize(m_unscaled.GetFractionalPointSize() * percent / 100.0);
    m_dc.SetFont(scaled);
}
