#include "app/login_dlg.h"

#include "app/account_sets.h"
#include "app/main_frame.h"
#include "app/menu_rights.h"
#include "app/startup_after_login.h"
#include "app/text_view.h"
#include "data/data_folders.h"
#include "data/data_set.h"
#include "data/wait_cursor.h"
#include "platform/gbk.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "res/control_ids.h"
#include "res/login_template.h"

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/textctrl.h>

using namespace res::login;

namespace {

const char* const kWrongUser = "密码或用户名有误,请重新输入!";

void Message(const wxString& text) {
    platform::ShowMessageBox(text.utf8_string());
}

bool Ask(const wxString& question, const wxString& set) {
    return platform::ShowMessageBox((question + U("“") + set + U("”？")).utf8_string(), "",
                                    platform::MB_YESNO) == platform::IDYES;
}

void RefuseSetName() {
    Message(U("帐套名不能用作目录名，请换一个名称(不超过10个字节，不含 / \\ , * ? 等符号)。"));
}

} // namespace

void CLoginDlg::Register() {
    CMainFrame::RegisterForm(FormKind::Login, [](CMainFrame& frame, int mode, const wxString&) {
        CLoginDlg dialog(&frame, mode);
        dialog.ShowModal();
    });
}

CLoginDlg::CLoginDlg(CMainFrame* frame, int mode)
    : wxDialog(frame, wxID_ANY, wxEmptyString), m_nMode(mode), m_pFrame(frame) {
    res::BuildDialog(this, res::LoginTemplate());
    m_pLoginName = res::Control<wxTextCtrl>(this, kLoginNameEdit);
    m_pPassword = res::Control<wxTextCtrl>(this, kPasswordEdit);
    m_pNewPassword = res::Control<wxTextCtrl>(this, kNewPasswordEdit);
    m_pRepeat = res::Control<wxTextCtrl>(this, kRepeatEdit);
    m_pSetCombo = res::Control<wxComboBox>(this, kSetCombo);

    if (CTextView* view = m_pFrame->GetTextView()) view->m_bLoginShown = true;
    m_pFrame->DeleteWorkingCopies();

    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOK(); }, wxID_OK);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnDeleteAccountSet(); },
        res::ToWxId(kDeleteSetButton));
    Bind(wxEVT_CHAR_HOOK, &CLoginDlg::OnCharHook, this);
    m_pSetCombo->Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& event) {
        m_bSetChanged = false;
        event.Skip();
    });
    m_pSetCombo->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
        // The question is a modal box: it comes after the focus change.
        if (m_bSetChanged) CallAfter(&CLoginDlg::OnAccountSetKillFocus);
        event.Skip();
    });
    const auto changed = [this](wxCommandEvent& event) {
        m_bSetChanged = true;
        event.Skip();
    };
    m_pSetCombo->Bind(wxEVT_COMBOBOX, changed);
    m_pSetCombo->Bind(wxEVT_TEXT, changed);

    if (m_nMode == 1)
        InitPasswordChange();
    else
        InitLogin();
    m_bSetChanged = false;
    m_pLoginName->SetFocus();
}

CLoginDlg::~CLoginDlg() {
    if (CTextView* view = m_pFrame->GetTextView()) {
        view->m_bDeferredRebuild = true;
        view->Refresh();
    }
}

void CLoginDlg::InitLogin() {
    m_pSetCombo->Append(CAccountSets::DefaultSetName());
    for (const wxString& set : CAccountSets::ReadSetList())
        if (m_pSetCombo->FindString(set, true) == wxNOT_FOUND) m_pSetCombo->Append(set);
    wxString missing;
    m_pSetCombo->SetValue(CAccountSets::InitialSetName(&missing));
    CentreOnParent();
    if (!missing.empty())
        Message(U("上次登录的帐套“") + missing +
                U("”的数据目录已不存在，现在选的是默认帐套，也可以选择其它帐套。"));
}

void CLoginDlg::InitPasswordChange() {
    SetTitle(U("修改密码"));
    const wxSize client = GetClientSize();
    const wxSize frame = m_pFrame->GetClientSize();
    Move(m_pFrame->ClientToScreen(wxPoint((frame.x - client.x) / 2, (frame.y - client.y) / 2)));
    const wxSize size(client.x, client.y + 90);
    SetClientSize(size);
    wxWindow* ok = FindWindow(wxID_OK);
    wxWindow* cancel = FindWindow(wxID_CANCEL);
    const int y = size.y - 45;
    ok->Move(size.x / 3 - ok->GetSize().x / 2, y);
    cancel->Move(size.x * 2 / 3 - cancel->GetSize().x / 2, y);
    for (int id : {kNewPasswordLabel, kNewPasswordEdit, kRepeatLabel, kRepeatEdit})
        res::FindControl(this, id)->Show();
    for (int id : {kSetLabel, kSetCombo, kDeleteSetButton})
        res::FindControl(this, id)->Hide();
}

wxString CLoginDlg::LoginName() const {
    return m_pLoginName->GetValue();
}

wxString CLoginDlg::SetName() const {
    return m_pSetCombo->GetValue();
}

bool CLoginDlg::CheckUser(const wxString& loginName, wxString* rights) {
    return m_users.CheckUser(loginName, m_pPassword->GetValue(), rights);
}

void CLoginDlg::RefusePassword() {
    if (!m_users.Recordset()) return; // the users file could not be read: said so
    Message(U(kWrongUser));
    m_pPassword->Clear();
    m_pPassword->SetFocus();
}

void CLoginDlg::OnOK() {
    try {
        if (m_nMode == 1)
            ChangePassword();
        else
            Login();
    } catch (const ado::ComError& error) {
        // The data store reports its own errors; one that escapes ends only this try.
        CDataSet::ShowComError(error);
    }
}

// Nothing of the running session changes before the user and the set are accepted.
void CLoginDlg::Login() {
    CWaitCursor wait;
    const wxString login = LoginName();
    if (login.empty()) {
        Message(U(kWrongUser));
        return;
    }
    wxString rights;
    if (!CheckUser(login, &rights)) {
        RefusePassword();
        return;
    }
    if (m_bSetChanged) OnAccountSetKillFocus(); // a new set typed, then Enter
    const wxString set = SetName();
    const bool otherSet = !set.empty() && !CAccountSets::IsDefaultSet(set);
    if (otherSet && !CAccountSets::IsSafeSetName(set)) {
        RefuseSetName();
        return;
    }
    if (otherSet && !CAccountSets::MayUseSet(set, login)) {
        Message(U(kWrongUser));
        return;
    }
    if (set.empty()) {
        Message(U("请先选取数据！"));
        return;
    }
    if (otherSet && !CAccountSets::SetFolderExists(set)) {
        Message(U("帐套“") + set + U("”的数据目录不存在，请选择其它帐套。"));
        return;
    }
    FinishLogin(set, rights);
}

void CLoginDlg::FinishLogin(const wxString& setName, const wxString& rights) {
    if (m_pFrame->m_bStarted) {
        m_pFrame->CloseAllSheets();
        m_pFrame->ClearUpperPane();
    }
    CAccountSets::WriteCurrentSetName(setName);
    m_pFrame->m_strRights = rights;
    CStartupAfterLogin startup(*m_pFrame, m_pFrame->m_bStarted);
    startup.Prepare(setName);
    LoadMenuForRights(*m_pFrame);
    m_pFrame->ShowToolbars();
    m_pFrame->FillCatalogTree();
    const bool first = !m_pFrame->m_bStarted;
    startup.Finish(wxDateTime::Today());
    EndModal(wxID_OK);
    if (first && !CStartupAfterLogin::Reminders().empty())
        m_pFrame->OpenForm(FormKind::ReminderPanel, 0);
}

void CLoginDlg::ChangePassword() {
    CWaitCursor wait;
    const wxString login = LoginName();
    if (login.empty()) {
        Message(U(kWrongUser));
        return;
    }
    if (!CheckUser(login)) {
        RefusePassword();
        return;
    }
    const wxString password = m_pNewPassword->GetValue();
    const wxString repeated = m_pRepeat->GetValue();
    wxString refusal;
    if (platform::GbkLength(password.utf8_string()) > 10 ||
        platform::GbkLength(repeated.utf8_string()) > 10)
        refusal = U("输入字符太长,请重新输入!");
    // Stored passwords lose their trailing blanks: such a password could never be
    // typed again.
    else if (password != repeated || password.empty() || password.EndsWith(" "))
        refusal = U("新密码有误,请重新输入!");
    if (!refusal.empty()) {
        Message(refusal);
        m_pRepeat->Clear();
        m_pNewPassword->Clear();
        m_pNewPassword->SetFocus();
        return;
    }
    if (m_users.ChangePassword(password)) Message(U("密码修改成功，请记住新密码!"));
}

void CLoginDlg::OnAccountSetKillFocus() {
    if (!m_bSetChanged) return;
    m_bSetChanged = false;
    if (!CheckUser(LoginName())) {
        if (m_users.Recordset()) Message(U(kWrongUser));
        return;
    }
    CWaitCursor wait;
    const wxString set = SetName();
    if (set.empty() || CAccountSets::IsDefaultSet(set) ||
        m_pSetCombo->FindString(set, true) != wxNOT_FOUND)
        return;
    if (!CAccountSets::IsSafeSetName(set)) {
        RefuseSetName();
        return;
    }
    if (!Ask(U("是否要新建帐套："), set)) return;
    if (!CAccountSets::CreateSet(set, LoginName(), *m_pFrame)) return;
    m_pSetCombo->Append(set);
    m_pSetCombo->SetValue(set);
    m_bSetChanged = false;
    SaveAccountSetList();
    Message(U("操作完成 "));
}

void CLoginDlg::OnDeleteAccountSet() {
    const wxString login = LoginName();
    if (!CheckUser(login)) return;
    const wxString set = SetName();
    if (set.empty() || CAccountSets::IsDefaultSet(set) || !CAccountSets::IsSafeSetName(set)) return;
    if (!CAccountSets::MayUseSet(set, login)) {
        Message(U(kWrongUser));
        return;
    }
    const int index = m_pSetCombo->FindString(set, true);
    if (index == wxNOT_FOUND || !Ask(U("是否真要删除帐套："), set)) return;
    if (m_pFrame->m_bStarted && g_strSetFolder == CAccountSets::SetFolder(set)) {
        Message(U("这是正在使用的帐套，不能删除。请先登录到其它帐套。"));
        return;
    }
    m_pSetCombo->Delete(index);
    m_pSetCombo->SetValue(CAccountSets::DefaultSetName());
    m_bSetChanged = false;
    SaveAccountSetList();
    CAccountSets::DeleteSet(set);
}

void CLoginDlg::SaveAccountSetList() {
    std::vector<wxString> sets;
    for (unsigned i = 0; i < m_pSetCombo->GetCount(); ++i)
        sets.push_back(m_pSetCombo->GetString(i));
    CAccountSets::SaveSetList(sets);
}

void CLoginDlg::OnCharHook(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if (event.HasAnyModifiers()) {
        event.Skip();
        return;
    }
    if (key == WXK_DOWN || key == WXK_UP) {
        if (wxWindow* focus = wxWindow::FindFocus())
            focus->Navigate(key == WXK_DOWN ? wxNavigationKeyEvent::IsForward
                                            : wxNavigationKeyEvent::IsBackward);
    } else if ((key == WXK_RETURN || key == WXK_NUMPAD_ENTER) && m_pPassword->IsEmpty()) {
        m_pPassword->SetFocus();
    } else {
        event.Skip();
    }
}
