#pragma once
// The start-up picture: a borderless window that shows a bitmap file until the
// application closes it once the main window exists. The operator can drag it but
// not close it. GTK draws only on the main thread, so it lives there and is painted
// before the main window is built.
#include <wx/bitmap.h>
#include <wx/frame.h>

class CSplashWindow : public wxFrame {
public:
    // Loads the picture; a missing or unreadable file gives a window of no size,
    // which is never shown.
    explicit CSplashWindow(const wxString& bitmapPath);

    // Shows the window and lets it paint at once.
    void ShowNow();
    // The application's close request: the only way the window closes.
    void HideSplash();

    bool HasPicture() const { return m_bitmap.IsOk(); }

private:
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnClose(wxCloseEvent& event);

    bool m_bCloseAllowed = false;
    wxBitmap m_bitmap;
    wxPoint m_dragOffset; // cursor position in the window while dragging
};
