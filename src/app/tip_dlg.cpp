#include "app/tip_dlg.h"

#include "app/app_profile.h"
#include "app/main_frame.h"
#include "app/text_view.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "res/bitmaps.h"
#include "res/control_ids.h"
#include "res/string_table.h"
#include "res/tip_template.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dcbuffer.h>
#include <wx/stattext.h>

using namespace res::tip;

namespace {

const char* const kStartUpKey = "Tip/StartUp";
const char* const kFilePosKey = "Tip/FilePos";
const char* const kTimeStampKey = "Tip/TimeStamp";

// The light-bulb area: white, the bulb at its top left, "Did you know..." beside it.
class CTipBulbArea : public wxWindow {
public:
    CTipBulbArea(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size)
        : wxWindow(parent, id, pos, size) {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        Bind(wxEVT_PAINT, &CTipBulbArea::OnPaint, this);
    }

private:
    void OnPaint(wxPaintEvent&) {
        wxAutoBufferedPaintDC dc(this);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        const wxBitmap bulb = res::TipBulbBitmap();
        dc.DrawBitmap(bulb, 0, 0);
        wxFont font = GetFont().Bold();
        font.SetPointSize(font.GetPointSize() + 4);
        dc.SetFont(font);
        const wxString heading = res::LoadResString(IDS_TIP_DID_YOU_KNOW);
        const wxSize extent = dc.GetTextExtent(heading);
        dc.DrawText(heading, bulb.GetWidth() + 4, (bulb.GetHeight() - extent.GetHeight()) / 2);
    }
};

void ShowCorruptFile() {
    platform::ShowMessageBox(res::LoadResString(IDS_TIP_FILE_CORRUPT).utf8_string());
}

bool IsModalDialogOpen() {
    for (wxWindow* window : wxTopLevelWindows)
        if (auto* dialog = dynamic_cast<wxDialog*>(window); dialog && dialog->IsModal())
            return true;
    return false;
}

} // namespace

void CTipDlg::Register() {
    res::RegisterControlClass(kBulbAreaClass,
                              [](wxWindow* parent, int id, const wxPoint& pos, const wxSize& size,
                                 unsigned) { return new CTipBulbArea(parent, id, pos, size); });
    CMainFrame::RegisterForm(FormKind::TipOfTheDay, [](CMainFrame& frame, int, const wxString&) {
        CTipDlg dialog(&frame);
        dialog.ShowModal();
    });
}

// The login opens from the lower pane's first paint; the tip follows once it is over.
void CTipDlg::ShowAfterLogin(CMainFrame* frame) {
    auto shown = std::make_shared<bool>(false);
    frame->Bind(wxEVT_IDLE, [frame, shown](wxIdleEvent& event) {
        event.Skip();
        CTextView* view = frame->GetTextView();
        if (*shown || frame->IsBeingDeleted() || !view || !view->m_bLoginShown ||
            IsModalDialogOpen())
            return;
        *shown = true;
        CTipDlg dialog(frame);
        if (dialog.m_bShowAtStart) dialog.ShowModal();
    });
}

CTipDlg::CTipDlg(wxWindow* parent) : wxDialog(parent, wxID_ANY, wxEmptyString) {
    res::BuildDialog(this, res::TipTemplate());
    // The tip is written on the white of the bulb area.
    wxWindow* area = res::FindControl(this, kBulbArea);
    wxWindow* text = res::FindControl(this, kTipText);
    const wxPoint at = text->GetPosition() - area->GetPosition();
    text->Reparent(area);
    text->Move(at);
    text->SetBackgroundColour(*wxWHITE);

    Bind(wxEVT_BUTTON, &CTipDlg::OnNext, this, res::ToWxId(kNextButton));
    Bind(wxEVT_BUTTON, &CTipDlg::OnOK, this, wxID_OK);

    std::unique_ptr<wxFileConfig> profile = OpenAppProfile();
    m_bShowAtStart = profile->ReadLong(kStartUpKey, 0) == 0 ? 1 : 0;
    long offset = profile->ReadLong(kFilePosKey, 0);

    const std::string path =
        platform::ResolvePathNoCase(platform::JoinPath(platform::ProgramFolder(), kTipsFile));
    if (!m_tipsFile.Open(path)) {
        m_strTipText = res::LoadResString(IDS_TIP_FILE_ABSENT);
        return;
    }
    if (m_tipsFile.TimeStamp() != profile->Read(kTimeStampKey, wxString())) {
        offset = 0;
        profile->Write(kTimeStampKey, m_tipsFile.TimeStamp());
        profile->Flush();
    }
    if (!m_tipsFile.Seek(offset)) {
        ShowCorruptFile();
        m_tipsFile.Seek(0);
        return;
    }
    m_tipsFile.ReadNext(m_strTipText);
}

CTipDlg::~CTipDlg() {
    if (!m_tipsFile.IsOpen()) return;
    std::unique_ptr<wxFileConfig> profile = OpenAppProfile();
    profile->Write(kFilePosKey, m_tipsFile.Position());
    profile->Flush();
}

bool CTipDlg::TransferDataToWindow() {
    res::Control<wxCheckBox>(this, kShowAtStartCheck)->SetValue(m_bShowAtStart != 0);
    auto* text = res::Control<wxStaticText>(this, kTipText);
    text->SetLabel(m_strTipText);
    text->Wrap(text->GetSize().GetWidth());
    res::FindControl(this, kNextButton)->Enable(m_tipsFile.IsOpen());
    return true;
}

void CTipDlg::OnNext(wxCommandEvent&) {
    m_tipsFile.ReadNext(m_strTipText);
    TransferDataToWindow();
}

void CTipDlg::OnOK(wxCommandEvent&) {
    m_bShowAtStart = res::Control<wxCheckBox>(this, kShowAtStartCheck)->GetValue() ? 1 : 0;
    std::unique_ptr<wxFileConfig> profile = OpenAppProfile();
    profile->Write(kStartUpKey, m_bShowAtStart ? 0L : 1L);
    profile->Flush();
    EndModal(wxID_OK);
}
