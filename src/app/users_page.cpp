#include "app/users_page.h"

#include "app/main_frame.h"
#include "app/menu_rights.h"
#include "grid/data_set_grid.h"
#include "grid/grid_ctrl.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "res/control_ids.h"
#include "res/users_page_template.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/spinbutt.h>
#include <wx/textctrl.h>

using namespace res::users_page;

namespace {

void Tell(const wxString& text, unsigned type = platform::MB_OK) {
    platform::ShowMessageBox(text.utf8_string(), std::string(), type);
}

// The login name of the rights string: the text before its first comma.
wxString CurrentLogin() {
    return g_pFrameData ? g_pFrameData->m_strRights.BeforeFirst(',') : wxString();
}

bool IsDigits(const wxString& text) {
    for (wxUniChar c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

} // namespace

qxmm::qxmm(wxWindow* sheet) : wxPanel(sheet, wxID_ANY) {
    CGridCtrl::RegisterGridClass();
    res::BuildDialog(this, res::UsersPageTemplate());
    OnInitDialog();
}

wxComboBox* qxmm::LoginCombo() const {
    return res::Control<wxComboBox>(this, kLoginCombo);
}

void qxmm::SetText(int id, const wxString& text) {
    res::Control<wxTextCtrl>(this, id)->SetValue(text); // counts as an edit
}

wxString qxmm::Text(int id) const {
    return res::Control<wxTextCtrl>(this, id)->GetValue();
}

void qxmm::OnInitDialog() {
    m_users.Load(); // a damaged file has been reported: the page shows no users
    m_bFileDirty = false;
    FillUserCombo();
    EnableRights(false);
    auto* spin = res::Control<wxSpinButton>(this, kDiscountSpin);
    spin->SetRange(0, CUserRights::kMaxDiscount);
    spin->SetValue(0);
    res::Control<wxTextCtrl>(this, kDiscountEdit)->ChangeValue("0");

    Bind(wxEVT_COMBOBOX, &qxmm::OnUserSelected, this, res::ToWxId(kLoginCombo));
    Bind(wxEVT_BUTTON, &qxmm::OnNewUser, this, res::ToWxId(kNewButton));
    Bind(wxEVT_BUTTON, &qxmm::OnDeleteUser, this, res::ToWxId(kDeleteButton));
    Bind(wxEVT_BUTTON, &qxmm::OnToggleAll, this, res::ToWxId(kToggleButton));
    for (int id = kFirstRightBox; id <= kLastRightBox; ++id)
        Bind(wxEVT_CHECKBOX, &qxmm::OnEdited, this, res::ToWxId(id));
    for (int id : {kPasswordEdit, kRepeatEdit, kDiscountEdit})
        Bind(wxEVT_TEXT, &qxmm::OnEdited, this, res::ToWxId(id));
}

void qxmm::FillUserCombo() {
    wxComboBox* combo = LoginCombo();
    combo->Clear();
    for (const wxString& name : m_users.LoginNames())
        combo->Append(name);
    // The grid lists the login names only: passwords are not for showing.
    if (auto* grid = res::Control<CGridCtrl>(this, kGrid)) {
        data_grid::LoadGrid(m_dsUsers, m_users.Recordset(), grid, wxString(), wxString(), 1, 0);
        grid->SetItemText(0, 1, U("登录名")); // the file's field is "logname"
        grid->Refresh();
    }
}

void qxmm::SetAllRights(bool tick) {
    for (int id = kFirstRightBox; id <= kLastRightBox; ++id)
        res::Control<wxCheckBox>(this, id)->SetValue(tick);
    SetText(kDiscountEdit, "0");
}

void qxmm::EnableRights(bool enable) {
    for (int id = kFirstRightBox; id <= kLastRightBox; ++id)
        res::FindControl(this, id)->Enable(enable);
    res::FindControl(this, kDiscountEdit)->Enable(enable);
    res::FindControl(this, kDiscountSpin)->Enable(enable);
}

void qxmm::OnUserSelected(wxCommandEvent&) {
    m_strLogin = LoginCombo()->GetStringSelection();
    wxString password;
    CUserRights rights;
    if (!m_users.FindUser(m_strLogin, &password, &rights)) return;
    SetText(kPasswordEdit, password);
    SetText(kRepeatEdit, password);
    for (int id = kFirstRightBox; id <= kLastRightBox; ++id)
        res::Control<wxCheckBox>(this, id)->SetValue(rights.Has(id - 10000));
    SetText(kDiscountEdit, wxString::Format("%d", rights.DiscountTenths()));
    EnableRights(true);
}

void qxmm::OnNewUser(wxCommandEvent&) {
    LoginCombo()->SetValue(wxString());
    SetText(kPasswordEdit, wxString());
    SetText(kRepeatEdit, wxString());
    m_strLogin.clear();
    SetAllRights(false);
    EnableRights(true);
    LoginCombo()->Enable();
    LoginCombo()->SetFocus();
    res::FindControl(this, kToggleButton)->SetLabel(U("全选"));
}

void qxmm::OnDeleteUser(wxCommandEvent&) {
    const wxString name = wxString(LoginCombo()->GetValue()).Trim(true);
    if (name.empty()) return;
    const CUserAccounts::Result allowed = m_users.CanDelete(name, CurrentLogin());
    if (allowed != CUserAccounts::Result::Done) {
        Tell(CUserAccounts::Message(allowed));
        return;
    }
    if (platform::ShowMessageBox((U("确实要删除用户") + name + U("吗?")).utf8_string(),
                                 std::string(),
                                 platform::MB_YESNO | platform::MB_ICONQUESTION) != platform::IDYES)
        return;
    const CUserAccounts::Result deleted = m_users.DeleteUser(name, CurrentLogin());
    if (deleted != CUserAccounts::Result::Done) {
        Tell(CUserAccounts::Message(deleted));
        return;
    }
    SetAllRights(false);
    LoginCombo()->SetValue(wxString());
    m_strLogin.clear();
    SetText(kPasswordEdit, wxString());
    SetText(kRepeatEdit, wxString());
    m_bFileDirty = true;
    m_bModified = true;
    FillUserCombo();
    EnableRights(false);
}

void qxmm::OnToggleAll(wxCommandEvent&) {
    if (!res::FindControl(this, kFirstRightBox + 1)->IsEnabled()) return;
    wxWindow* button = res::FindControl(this, kToggleButton);
    const bool tick = button->GetLabel() == U("全选");
    SetAllRights(tick);
    button->SetLabel(tick ? U("全清") : U("全选"));
}

void qxmm::OnEdited(wxCommandEvent& event) {
    m_bModified = true;
    event.Skip();
}

bool qxmm::ReadRights(CUserRights* rights) {
    for (int id = kFirstRightBox; id <= kLastRightBox; ++id)
        rights->Set(id - 10000, res::Control<wxCheckBox>(this, id)->GetValue());
    wxString discount = Text(kDiscountEdit);
    discount.Trim(true).Trim(false);
    long tenths = 0;
    if (discount.empty()) return true;
    if (!IsDigits(discount) || !discount.ToLong(&tenths) || tenths > CUserRights::kMaxDiscount) {
        Tell(U("授权折扣只能输入0到100的数字!"));
        res::FindControl(this, kDiscountEdit)->SetFocus();
        return false;
    }
    rights->SetDiscountTenths(int(tenths));
    return true;
}

bool qxmm::SaveUser() {
    if (!m_bModified) return true;
    const wxString name = wxString(LoginCombo()->GetValue()).Trim(true);
    m_strLogin = name;
    if (m_bFileDirty) {
        if (!m_users.Save()) {
            Tell(CUserAccounts::Message(CUserAccounts::Result::WriteFailed));
            return false;
        }
        m_bFileDirty = false;
        EnableRights(false);
    }
    if (!res::FindControl(this, kFirstRightBox + 1)->IsEnabled()) {
        m_bModified = false; // no user is being edited
        return true;
    }
    CUserRights rights;
    if (!ReadRights(&rights)) return false;
    using R = CUserAccounts::Result;
    const R result = m_users.PutUser(name, Text(kPasswordEdit), Text(kRepeatEdit), rights);
    if (result != R::Done) {
        Tell(CUserAccounts::Message(result));
        if (result == R::TooLong) LoginCombo()->SetValue(wxString());
        if (result == R::BadPassword) {
            SetText(kPasswordEdit, wxString());
            SetText(kRepeatEdit, wxString());
            res::FindControl(this, kPasswordEdit)->SetFocus();
        } else {
            LoginCombo()->SetFocus();
        }
        return false; // the page stays as it is, so nothing typed is lost
    }
    if (!m_users.Save()) {
        Tell(CUserAccounts::Message(R::WriteFailed));
        return false;
    }
    EnableRights(false);
    FillUserCombo();
    LoginCombo()->SetValue(name);
    m_bModified = false;
    return true;
}

bool qxmm::OnApply() {
    if (!SaveUser()) return false;
    // The logged-in user's rights follow the file at once: the menu is trimmed anew.
    const wxString login = CurrentLogin();
    if (!g_pFrameData || login.empty()) return true;
    const wxString qx = m_users.RightsText(login);
    if (qx.empty()) return true;
    g_pFrameData->m_strRights = login + "," + qx;
    if (CMainFrame* frame = CMainFrame::Get()) LoadMenuForRights(*frame);
    return true;
}
