#pragma once
// A text that behaves like a link in a web page: link colours (another once it has
// been followed), a hand cursor, a tooltip with its target, and a click that opens
// the target in the desktop's browser or mail program. A target that is no address
// (none of "@", "http", "com", "net", "www") opens the program's help instead.
#include <functional>
#include <wx/bitmap.h>
#include <wx/control.h>

class CHyperLink : public wxControl {
public:
    // Style flags.
    enum : unsigned {
        kHoverColour = 0x02,   // the hover colour while the mouse is over the link
        kFitToText = 0x04,     // the window takes the size of its text
        kFollowOnPress = 0x08, // follow on button press instead of release
        kFocusOnClick = 0x10,  // take the focus when clicked
        kNoHandCursor = 0x20,
        kNoFocusColour = 0x40,
    };
    static const wxColour kColourLink, kColourFocus, kColourVisited, kColourHover;

    // How targets are opened (wxLaunchDefaultBrowser); tests put their own in.
    // Returns the previous opener.
    using Opener = std::function<bool(const wxString& target)>;
    static Opener SetOpener(Opener opener);

    // Makes "HyperLink" available to dialog templates; the template's text is the
    // target until SetURL gives another.
    static void RegisterClass();

    CHyperLink(wxWindow* parent, int id, const wxString& text, const wxPoint& pos,
               const wxSize& size, long alignment = 0);

    void SetURL(const wxString& url);
    const wxString& GetURL() const { return m_strURL; }
    void SetCaption(const wxString& text);
    // A picture shown instead of the text; the link takes the picture's size.
    void SetBitmap(const wxBitmap& picture);
    // Opens the target; a failure beeps and says why. True when it opened.
    bool FollowLink();
    bool IsVisited() const { return m_bVisited; }
    // The colour the text is drawn in now.
    wxColour CurrentColour() const;

    unsigned m_nStyle = kFitToText | kFocusOnClick;

private:
    void FitToText();
    void OnPaint(wxPaintEvent& event);
    void OnEnter(wxMouseEvent& event);
    void OnLeave(wxMouseEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnFocus(wxFocusEvent& event);
    void OnKillFocus(wxFocusEvent& event);

    wxString m_strURL;
    wxBitmap m_bitmap;
    long m_nAlignment;
    bool m_bFocus = false;
    bool m_bOverControl = false;
    bool m_bVisited = false;
};
