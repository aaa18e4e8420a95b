#pragma once
// The lower pane of the main window: one picture (the screen background) centred at
// its natural size. Its first paint with the picture shown asks the frame for the
// login; a picture window opened for a record never does. The same view in a frame
// of its own shows a record's picture ("图片").
#include <wx/bitmap.h>
#include <wx/window.h>

// Where a picture of the given size is drawn in a client area: centred, cut on
// every side when larger (negative offsets).
wxPoint CentredPicturePosition(const wxSize& client, const wxSize& picture);

class CTextView : public wxWindow {
public:
    // The picture path comes from the settings file "OtherFiles", else the start-up
    // picture.
    explicit CTextView(wxWindow* parent, wxWindowID id = wxID_ANY);

    // 0 shows the picture; any other value draws nothing and asks for no login.
    void SetPictureMode(int mode);
    int GetPictureMode() const { return m_nPictureMode; }
    void SetPicturePath(const wxString& path);
    const wxString& GetPicturePath() const { return m_strPicturePath; }

    // Asks the operator for a picture file and shows it in a window of its own;
    // returns its path, empty when the operator cancelled.
    wxString BrowsePicture();

    bool m_bLoginShown = false;      // set once the login was asked for
    bool m_bDeferredRebuild = false; // set by the login: the next paint runs the repair

private:
    void OnPaint(wxPaintEvent& event);
    void DrawPicture(wxDC& dc);
    void AfterFirstPaint();

    int m_nPictureMode = 0;
    wxString m_strPicturePath;
    wxBitmap m_picture; // the loaded picture of m_strPicturePath
    bool m_bPictureLoaded = false;
};
