#include "office/reminder_dlg.h"

#include "app/main_frame.h"
#include "app/outbar_ctrl.h"
#include "app/qv_app.h"
#include "office/office_forms.h"
#include "platform/wx_text.h"
#include "res/command_ids.h"
#include "res/query_result_template.h"

#include <wx/artprov.h>

namespace {

constexpr long kHelpHeader = 999;
constexpr long kCloseHeader = 900;

} // namespace

namespace office {

void RegisterReminderPanel() {
    CMainFrame::RegisterForm(FormKind::ReminderPanel, [](CMainFrame& frame, int, const wxString&) {
        const std::vector<ReminderItem>& items = CStartupAfterLogin::Reminders();
        if (items.empty()) return;
        // Modeless and self-owned: the close box destroys it.
        auto* panel = new CReminderDlg(frame, items);
        panel->Show();
    });
}

} // namespace office

int CReminderDlg::CommandOfItem(const wxString& text) {
    if (text.Contains(U("零件缺货"))) return ID_QUERY_SHORTAGE;
    if (text.Contains(U("零件溢出"))) return ID_QUERY_SURPLUS;
    if (text.Contains(U("年审车辆"))) return ID_QUERY_INSPECTION;
    if (text.Contains(U("生日客户"))) return ID_QUERY_BIRTHDAY;
    if (text.Contains(U("保养"))) return ID_QUERY_MAINTENANCE;
    return 0;
}

CReminderDlg::CReminderDlg(CMainFrame& frame, const std::vector<ReminderItem>& items)
    : wxDialog(&frame, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxMINIMIZE_BOX | wxCLOSE_BOX),
      m_frame(frame), m_imgLarge(32, 32, true), m_imgSmall(16, 16, true) {
    res::BuildDialog(this, res::ReminderTemplate());
    const wxArtID icons[] = {wxART_WARNING, wxART_INFORMATION, wxART_TIP, wxART_REPORT_VIEW,
                             wxART_HELP_BOOK};
    for (const wxArtID& icon : icons) {
        m_imgLarge.Add(wxArtProvider::GetBitmap(icon, wxART_OTHER, wxSize(32, 32)));
        m_imgSmall.Add(wxArtProvider::GetBitmap(icon, wxART_OTHER, wxSize(16, 16)));
    }
    m_pBar = new CGfxOutBarCtrl;
    m_pBar->Create(this, res::reminder::kBar, wxPoint(0, 0), GetClientSize(), 0);
    m_pBar->SetOwner(this);
    m_pBar->SetFolderCommandMode(true);
    m_pBar->SetImageList(&m_imgLarge, CGfxOutBarCtrl::fLargeList);
    m_pBar->SetImageList(&m_imgSmall, CGfxOutBarCtrl::fSmallList);
    m_pBar->SetAnimSelHighlight(200);
    m_pBar->AddFolder(U("帮助"), 0);
    m_pBar->AddFolder(U("关闭"), 1);
    m_pBar->SetSelFolder(0);
    int image = 0;
    for (const ReminderItem& item : items) {
        m_pBar->InsertItem(0, -1, item.label + ":" + wxString::Format("%ld", item.count),
                           image % int(std::size(icons)), 0);
        ++image;
    }
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        if (m_pBar) m_pBar->SetSize(GetClientSize());
        event.Skip();
    });
    // The bar tells its owner, the panel.
    Bind(EVT_OUTBAR_NOTIFY, &CReminderDlg::OnBarEvent, this);
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { Destroy(); });
}

CReminderDlg::~CReminderDlg() {
    if (m_pBar) {
        m_pBar->SetImageList(nullptr, CGfxOutBarCtrl::fLargeList);
        m_pBar->SetImageList(nullptr, CGfxOutBarCtrl::fSmallList);
    }
}

void CReminderDlg::OnBarEvent(wxNotifyEvent& event) {
    OnOutBarNotify(event.GetInt(), event.GetExtraLong());
}

void CReminderDlg::OnOutBarNotify(int code, long value) {
    if (code == CGfxOutBarCtrl::NM_FOLDERCHANGE && value == kCloseHeader) {
        Hide();
        return;
    }
    if (code == CGfxOutBarCtrl::NM_FOLDERCHANGE && value == kHelpHeader) {
        if (auto* app = dynamic_cast<CQvApp*>(wxTheApp))
            app->WinHelp(res::reminder::kDialogId, CQvApp::HELP_CONTEXT);
        return;
    }
    if (code != CGfxOutBarCtrl::NM_ITEMCLICK) return;
    if (const int command = CommandOfItem(m_pBar->GetItemText(int(value))))
        m_frame.ExecuteCommand(command);
}
