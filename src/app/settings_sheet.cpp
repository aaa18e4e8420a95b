#include "app/settings_sheet.h"

#include "app/company_page.h"
#include "app/main_frame.h"
#include "app/options_page.h"
#include "app/users_page.h"
#include "platform/message_box.h"

#include <wx/bookctrl.h>

namespace {

bool Denied(const CMainFrameData& rights, int right) {
    return !rights.m_strRights.empty() && !rights.CheckRight(right);
}

} // namespace

void CSettingsSheet::Register() {
    CMainFrame::RegisterForm(FormKind::SettingsSheet, [](CMainFrame& frame, int, const wxString&) {
        CSettingsSheet sheet(&frame, frame);
        // A user denied all three pages gets a refusal instead of an empty sheet.
        if (!sheet.HasPages()) {
            platform::ShowMessageBox("超出权限,无效操作!");
            return;
        }
        sheet.ShowModal();
    });
}

CSettingsSheet::CSettingsSheet(wxWindow* parent, const CMainFrameData& rights) {
    Create(parent, wxID_ANY, wxString::FromUTF8("系统设置"));
    wxBookCtrlBase* book = GetBookCtrl();
    if (!Denied(rights, kOptionsRight)) {
        m_pOptions = new page1(book);
        book->AddPage(m_pOptions, wxString::FromUTF8("功能选项"));
    }
    if (!Denied(rights, kUsersRight)) {
        m_pUsers = new qxmm(book);
        book->AddPage(m_pUsers, wxString::FromUTF8("权限设置"));
    }
    if (!Denied(rights, kCompanyRight)) {
        m_pCompany = new yfzl(book);
        book->AddPage(m_pCompany, wxString::FromUTF8("用户资料"));
    }
    CreateButtons(wxOK | wxCANCEL | wxAPPLY);
    LayoutDialog();
    Bind(wxEVT_BUTTON, &CSettingsSheet::OnOK, this, wxID_OK);
    Bind(wxEVT_BUTTON, &CSettingsSheet::OnApply, this, wxID_APPLY);
}

bool CSettingsSheet::HasPages() const {
    return m_pOptions || m_pUsers || m_pCompany;
}

bool CSettingsSheet::ApplyAll() {
    wxBookCtrlBase* book = GetBookCtrl();
    auto refused = [book](wxWindow* page) {
        book->SetSelection(book->FindPage(page));
        return false;
    };
    if (m_pOptions && !m_pOptions->OnApply()) return refused(m_pOptions);
    if (m_pUsers && !m_pUsers->OnApply()) return refused(m_pUsers);
    if (m_pCompany && !m_pCompany->OnApply()) return refused(m_pCompany);
    return true;
}

void CSettingsSheet::OnOK(wxCommandEvent&) {
    if (ApplyAll()) EndModal(wxID_OK);
}

void CSettingsSheet::OnApply(wxCommandEvent&) {
    ApplyAll();
}
