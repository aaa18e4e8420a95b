#pragma once
// What the page layouts draw on: single-line texts and lines in the logical units
// of the page. The printout hands them a canvas over its device context; tests
// hand them one that records the calls.
#include <wx/font.h>
#include <wx/string.h>

class wxDC;

class PrintCanvas {
public:
    virtual ~PrintCanvas() = default;
    // One line of text starting at x whose bottom stands at y (no clipping, no prefixes).
    virtual void TextBottom(const wxString& text, int x, int y) = 0;
    // One line of text with its top-left corner at (x, y).
    virtual void TextAt(const wxString& text, int x, int y) = 0;
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    // Selects a font of the given character height; an empty face keeps the current face.
    virtual void SelectFont(const wxString& face, int height, bool bold) = 0;
    // Gives back the font that was selected before the first SelectFont.
    virtual void RestoreFont() = 0;
    // Width of a single line of text in the font in use.
    virtual int TextWidth(const wxString& text) = 0;
    // The font in use when scaling began, at `percent` of its size; 100 ends the scaling.
    virtual void ScaleFont(int percent) = 0;
};

// The canvas over a wx device context.
class DcPrintCanvas : public PrintCanvas {
public:
    explicit DcPrintCanvas(wxDC& dc);
    ~DcPrintCanvas() override;
    void TextBottom(const wxString& text, int x, int y) override;
    void TextAt(const wxString& text, int x, int y) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void SelectFont(const wxString& face, int height, bool bold) override;
    void RestoreFont() override;
    int TextWidth(const wxString& text) override;
    void ScaleFont(int percent) override;

private:
    wxDC& m_dc;
    wxFont m_oldFont;
    wxFont m_unscaled;
};
