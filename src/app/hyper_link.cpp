#include "app/hyper_link.h"

#include "app/qv_app.h"
#include "platform/message_box.h"
#include "res/about_template.h"

#include <wx/dcclient.h>
#include <wx/utils.h>

const wxColour CHyperLink::kColourLink(0, 0, 255);
const wxColour CHyperLink::kColourFocus(0, 128, 128);
const wxColour CHyperLink::kColourVisited(128, 0, 128);
const wxColour CHyperLink::kColourHover(255, 0, 0);

namespace {

CHyperLink::Opener& CurrentOpener() {
    static CHyperLink::Opener opener = [](const wxString& target) {
        return wxLaunchDefaultBrowser(target);
    };
    return opener;
}

bool IsAddress(const wxString& target) {
    for (const char* mark : {"@", "http", "com", "net", "www"})
        if (target.Contains(mark)) return true;
    return false;
}

} // namespace

CHyperLink::Opener CHyperLink::SetOpener(Opener opener) {
    Opener previous = CurrentOpener();
    CurrentOpener() = std::move(opener);
    return previous;
}

void CHyperLink::RegisterClass() {
    res::RegisterControlClass(res::about::kLinkClass,
                              [](wxWindow* parent, int id, const wxPoint& pos, const wxSize& size,
                                 unsigned style) -> wxWindow* {
                                  long alignment = 0;
                                  if (style & res::kStyleCentre)
                                      alignment = wxALIGN_CENTRE_HORIZONTAL;
                                  if (style & res::kStyleRight) alignment = wxALIGN_RIGHT;
                                  return new CHyperLink(parent, id, wxString(), pos, size,
                                                        alignment);
                              });
}

CHyperLink::CHyperLink(wxWindow* parent, int id, const wxString& text, const wxPoint& pos,
                       const wxSize& size, long alignment)
    : wxControl(parent, id, pos, size, wxBORDER_NONE), m_nAlignment(alignment) {
    SetBackgroundStyle(wxBG_STYLE_SYSTEM);
    SetLabel(text);
    m_strURL = text;
    SetToolTip(m_strURL);
    if (!(m_nStyle & kNoHandCursor)) SetCursor(wxCursor(wxCURSOR_HAND));
    FitToText();
    Bind(wxEVT_PAINT, &CHyperLink::OnPaint, this);
    Bind(wxEVT_ENTER_WINDOW, &CHyperLink::OnEnter, this);
    Bind(wxEVT_LEAVE_WINDOW, &CHyperLink::OnLeave, this);
    Bind(wxEVT_LEFT_DOWN, &CHyperLink::OnLeftDown, this);
    Bind(wxEVT_LEFT_UP, &CHyperLink::OnLeftUp, this);
    Bind(wxEVT_KEY_DOWN, &CHyperLink::OnKeyDown, this);
    Bind(wxEVT_SET_FOCUS, &CHyperLink::OnFocus, this);
    Bind(wxEVT_KILL_FOCUS, &CHyperLink::OnKillFocus, this);
}

void CHyperLink::SetURL(const wxString& url) {
    m_strURL = url;
    if (GetLabel().empty()) SetLabel(url);
    FitToText();
    SetToolTip(m_strURL);
    Refresh();
}

void CHyperLink::SetCaption(const wxString& text) {
    SetLabel(text);
    if (m_strURL.empty()) SetURL(text);
    FitToText();
    Refresh();
}

void CHyperLink::SetBitmap(const wxBitmap& picture) {
    m_bitmap = picture;
    SetSize(picture.GetSize());
    Refresh();
}

// The window takes its text's size; a centred or right-aligned link keeps its
// centre or its right edge.
void CHyperLink::FitToText() {
    if (!(m_nStyle & kFitToText) || GetLabel().empty() || m_bitmap.IsOk()) return;
    const wxSize text = GetTextExtent(GetLabel());
    wxRect rect = GetRect();
    if (m_nAlignment & wxALIGN_CENTRE_HORIZONTAL)
        rect.x += (rect.width - text.GetWidth()) / 2;
    else if (m_nAlignment & wxALIGN_RIGHT)
        rect.x = rect.GetRight() + 1 - text.GetWidth();
    rect.width = text.GetWidth();
    rect.height = text.GetHeight();
    SetSize(rect);
}

wxColour CHyperLink::CurrentColour() const {
    if (m_bOverControl && (m_nStyle & kHoverColour)) return kColourHover;
    if (m_bFocus && !(m_nStyle & kNoFocusColour)) return kColourFocus;
    return m_bVisited ? kColourVisited : kColourLink;
}

bool CHyperLink::FollowLink() {
    if (!CurrentOpener()(m_strURL)) {
        wxBell();
        platform::ShowMessageBox("Can't open link:\n\nThere is no application associated\nwith "
                                 "the given filename extension.",
                                 "", platform::MB_ICONWARNING);
        return false;
    }
    m_bVisited = true;
    Refresh();
    return true;
}

void CHyperLink::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    if (m_bitmap.IsOk()) {
        dc.DrawBitmap(m_bitmap, 0, 0);
        return;
    }
    dc.SetFont(GetFont());
    dc.SetTextForeground(CurrentColour());
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.DrawText(GetLabel(), 0, 0);
}

void CHyperLink::OnEnter(wxMouseEvent&) {
    m_bOverControl = true;
    Refresh();
}

void CHyperLink::OnLeave(wxMouseEvent&) {
    m_bOverControl = false;
    Refresh();
}

void CHyperLink::OnLeftDown(wxMouseEvent&) {
    if (m_nStyle & kFocusOnClick) SetFocus();
    if (m_nStyle & kFollowOnPress) FollowLink();
    m_bFocus = true;
}

void CHyperLink::OnLeftUp(wxMouseEvent&) {
    if (!m_bFocus || (m_nStyle & kFollowOnPress)) return;
    if (IsAddress(m_strURL)) {
        FollowLink();
        return;
    }
    if (auto* app = dynamic_cast<CQvApp*>(wxTheApp)) app->WinHelp(0, CQvApp::HELP_CONTEXT);
}

void CHyperLink::OnKeyDown(wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_SPACE)
        FollowLink();
    else
        event.Skip();
}

void CHyperLink::OnFocus(wxFocusEvent& event) {
    m_bFocus = true;
    Refresh();
    event.Skip();
}

void CHyperLink::OnKillFocus(wxFocusEvent& event) {
    m_bFocus = false;
    m_bOverControl = false;
    Refresh();
    event.Skip();
}
