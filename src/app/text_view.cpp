#include "app/text_view.h"

#include "app/main_frame.h"
#include "data/setting_files.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "res/command_ids.h"

#include <wx/dcbuffer.h>
#include <wx/filedlg.h>
#include <wx/image.h>
#include <wx/log.h>

namespace {
const char kDefaultPicture[] = "Picture/setup.BMP";
}

wxPoint CentredPicturePosition(const wxSize& client, const wxSize& picture) {
    return wxPoint((client.x - picture.x) / 2, (client.y - picture.y) / 2);
}

CTextView::CTextView(wxWindow* parent, wxWindowID id) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Create(parent, id, wxDefaultPosition, wxDefaultSize, wxFULL_REPAINT_ON_RESIZE);
    wxString path = CSettingFiles::ReadSettingFile("OtherFiles").Strip(wxString::both);
    m_strPicturePath = path.empty() ? wxString(kDefaultPicture) : path;
    Bind(wxEVT_PAINT, &CTextView::OnPaint, this);
    // The lower pane's work sheet covers it at every size.
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        CMainFrame* frame = CMainFrame::Get();
        if (frame && frame->GetSheetPane() == this) frame->PlaceActiveSheet();
    });
}

void CTextView::SetPictureMode(int mode) {
    m_nPictureMode = mode;
    Refresh();
}

void CTextView::SetPicturePath(const wxString& path) {
    m_strPicturePath = path;
    m_bPictureLoaded = false;
    Refresh();
}

void CTextView::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    DrawPicture(dc);
}

void CTextView::DrawPicture(wxDC& dc) {
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    if (m_bDeferredRebuild) {
        m_bDeferredRebuild = false;
        if (auto* frame = CMainFrame::Get())
            frame->CallAfter([frame] { frame->ExecuteCommand(ID_SWITCH_ACCOUNT_SET); });
    }
    if (m_nPictureMode != 0) return;
    if (!m_bPictureLoaded) {
        m_bPictureLoaded = true;
        m_picture = wxBitmap();
        std::string file =
            platform::ResolvePathNoCase(platform::NativeSeparators(m_strPicturePath.utf8_string()));
        wxImage image;
        wxLogNull quiet; // a missing or unreadable picture leaves the pane empty
        if (platform::FileExists(file) && image.LoadFile(wxString::FromUTF8(file)))
            m_picture = wxBitmap(image);
    }
    if (m_picture.IsOk())
        dc.DrawBitmap(m_picture, CentredPicturePosition(GetClientSize(), m_picture.GetSize()));
    if (!m_bLoginShown) {
        m_bLoginShown = true;
        // The login is a modal dialog: it runs after the paint, never inside it.
        CallAfter(&CTextView::AfterFirstPaint);
    }
}

void CTextView::AfterFirstPaint() {
    if (auto* frame = CMainFrame::Get()) frame->ShowLogin();
}

wxString CTextView::BrowsePicture() {
    wxFileDialog dialog(this, wxEmptyString, wxEmptyString, wxEmptyString,
                        wxString::FromUTF8("Windows Bmp 文件(*.bmp)|*.bmp|GIF 图形(*.gif)|*.gif|"
                                           "JPEG 图形(*.jpg)|*.jpg|All files(*.*)|*.*"),
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK) return wxString();
    if (auto* frame = CMainFrame::Get()) {
        frame->m_strShared = dialog.GetPath();
        frame->ShowRecordPicture(dialog.GetPath());
    }
    return dialog.GetPath();
}
