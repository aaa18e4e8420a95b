#include "app/splash_window.h"

#include "platform/files.h"
#include "platform/paths.h"

#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/image.h>
#include <wx/log.h>

namespace {

wxBitmap LoadPicture(const wxString& path) {
    std::string file = platform::ResolvePathNoCase(platform::NativeSeparators(path.utf8_string()));
    if (!platform::FileExists(file)) return wxBitmap();
    wxLogNull quiet;
    wxImage image;
    if (!image.LoadFile(wxString::FromUTF8(file), wxBITMAP_TYPE_ANY)) return wxBitmap();
    return wxBitmap(image);
}

} // namespace

CSplashWindow::CSplashWindow(const wxString& bitmapPath) : m_bitmap(LoadPicture(bitmapPath)) {
    wxSize size = m_bitmap.IsOk() ? m_bitmap.GetSize() : wxSize(0, 0);
    Create(nullptr, wxID_ANY, wxEmptyString, wxDefaultPosition, size,
           wxBORDER_NONE | wxFRAME_NO_TASKBAR | wxSTAY_ON_TOP);
    SetMinClientSize(size);
    CentreOnScreen();
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CSplashWindow::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CSplashWindow::OnLeftDown, this);
    Bind(wxEVT_MOTION, &CSplashWindow::OnMotion, this);
    Bind(wxEVT_LEFT_UP, &CSplashWindow::OnLeftUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CSplashWindow::OnCaptureLost, this);
    Bind(wxEVT_CLOSE_WINDOW, &CSplashWindow::OnClose, this);
}

void CSplashWindow::ShowNow() {
    if (!HasPicture()) return;
    Show();
    Raise();
    Update();
    // Let the window manager map the window and the first paint run before the
    // main thread goes on building the main window.
    wxTheApp->SafeYieldFor(nullptr, wxEVT_CATEGORY_UI);
}

void CSplashWindow::HideSplash() {
    m_bCloseAllowed = true;
    Close(true);
}

void CSplashWindow::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    if (m_bitmap.IsOk()) dc.DrawBitmap(m_bitmap, 0, 0);
}

void CSplashWindow::OnLeftDown(wxMouseEvent& event) {
    m_dragOffset = event.GetPosition();
    if (!HasCapture()) CaptureMouse();
}

void CSplashWindow::OnMotion(wxMouseEvent& event) {
    if (!HasCapture() || !event.LeftIsDown()) return;
    Move(ClientToScreen(event.GetPosition()) - m_dragOffset);
}

void CSplashWindow::OnLeftUp(wxMouseEvent&) {
    if (HasCapture()) ReleaseMouse();
}

void CSplashWindow::OnCaptureLost(wxMouseCaptureLostEvent&) {}

void CSplashWindow::OnClose(wxCloseEvent& event) {
    if (!m_bCloseAllowed && event.CanVeto()) {
        event.Veto();
        return;
    }
    Destroy();
}
