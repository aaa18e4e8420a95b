#include "app/user_accounts.h"

#include "data/record_fields.h"
#include "platform/gbk.h"
#include "platform/wx_text.h"

namespace {

// Whether the text fits the field, which holds GBK bytes.
bool Fits(ado::Recordset& users, const char* field, const wxString& text) {
    const long size = users.Fields().Item(field).DefinedSize();
    return size <= 0 || long(platform::GbkLength(text.utf8_string())) <= size;
}

} // namespace

wxString CUserAccounts::Message(Result result) {
    switch (result) {
    case Result::Done:
        return wxString();
    case Result::EmptyName:
        return U("登录名不能为空,请输入!");
    case Result::TooLong:
        return U("输入字符太长,请重新输入!");
    case Result::BadPassword:
        return U("密码或用户名有误,请重新输入!");
    case Result::BadName:
        return U("登录名不能含有逗号或引号,请重新输入!");
    case Result::LastAdministrator:
        return U("至少要保留一个有权限设置的用户!");
    case Result::OwnLogin:
        return U("不能删除当前登录的用户!");
    case Result::NoSuchUser:
        return U("没有这个用户!");
    case Result::WriteFailed:
        return wxString::FromUTF8(CUsersFile::DamagedText());
    }
    return wxString();
}

bool CUserAccounts::Load() {
    return m_file.Load();
}

bool CUserAccounts::Save() {
    return m_file.Save();
}

std::vector<wxString> CUserAccounts::LoginNames() const {
    std::vector<wxString> names;
    const ado::RecordsetPtr& users = Recordset();
    if (!users || users->RecordCount() <= 0) return names;
    for (users->MoveFirst(); !users->EndOfFile(); users->MoveNext())
        if (!users->Fields().Item("logname").Value().IsNull())
            names.push_back(FieldText(*users, "logname"));
    return names;
}

bool CUserAccounts::Locate(const wxString& name) const {
    const ado::RecordsetPtr& users = Recordset();
    if (!users || users->RecordCount() <= 0 || name.empty()) return false;
    // Compared here rather than through a search text, which a quote would break.
    for (users->MoveFirst(); !users->EndOfFile(); users->MoveNext())
        if (FieldText(*users, "logname") == name) return true;
    return false;
}

bool CUserAccounts::FindUser(const wxString& name, wxString* password, CUserRights* rights) const {
    if (!Locate(name)) return false;
    if (password) *password = FieldText(*Recordset(), "pass");
    if (rights) *rights = CUserRights::Parse(FieldText(*Recordset(), "qx"));
    return true;
}

wxString CUserAccounts::RightsText(const wxString& name) const {
    return Locate(name) ? FieldText(*Recordset(), "qx") : wxString();
}

bool CUserAccounts::OtherManagerExists(const wxString& except) const {
    const ado::RecordsetPtr& users = Recordset();
    if (!users || users->RecordCount() <= 0) return false;
    for (users->MoveFirst(); !users->EndOfFile(); users->MoveNext()) {
        const wxString name = FieldText(*users, "logname");
        if (name.empty() || name == except || FieldText(*users, "pass").empty()) continue;
        const wxString qx = FieldText(*users, "qx");
        if (CUserRights::Parse(qx).Has(CUserRights::kUsersRight)) return true;
    }
    return false;
}

CUserAccounts::Result CUserAccounts::PutUser(wxString name, wxString password, wxString repeat,
                                             const CUserRights& rights) {
    name.Trim(true);
    password.Trim(true);
    repeat.Trim(true);
    const ado::RecordsetPtr& users = Recordset();
    if (!users) return Result::WriteFailed;
    if (name.empty()) return Result::EmptyName;
    // Never cut: what does not fit its field is refused.
    if (name.length() > kMaxLength || password.length() > kMaxLength ||
        repeat.length() > kMaxLength || !Fits(*users, "logname", name) ||
        !Fits(*users, "pass", password))
        return Result::TooLong;
    if (password.empty() || password != repeat) return Result::BadPassword;
    if (name.find_first_of(",'") != wxString::npos) return Result::BadName;
    if (!rights.Has(CUserRights::kUsersRight) && !OtherManagerExists(name))
        return Result::LastAdministrator;
    const wxString qx = rights.ToText();
    if (!Fits(*users, "qx", qx)) return Result::TooLong;
    try {
        if (!Locate(name)) users->AddNew();
        users->Fields().Item("logname").PutValue(ado::Variant(name.utf8_string()));
        users->Fields().Item("pass").PutValue(ado::Variant(password.utf8_string()));
        users->Fields().Item("qx").PutValue(ado::Variant(qx.utf8_string()));
        users->Update();
    } catch (const ado::ComError&) {
        if (users->EditMode() != ado::adEditNone) users->CancelUpdate();
        return Result::WriteFailed;
    }
    return Result::Done;
}

CUserAccounts::Result CUserAccounts::CanDelete(const wxString& name,
                                               const wxString& currentLogin) const {
    if (!Locate(name)) return Result::NoSuchUser;
    if (name == currentLogin) return Result::OwnLogin;
    if (!OtherManagerExists(name)) return Result::LastAdministrator;
    return Result::Done;
}

CUserAccounts::Result CUserAccounts::DeleteUser(const wxString& name,
                                                const wxString& currentLogin) {
    const Result allowed = CanDelete(name, currentLogin);
    if (allowed != Result::Done) return allowed;
    try {
        Locate(name);
        Recordset()->Delete();
    } catch (const ado::ComError&) {
        return Result::WriteFailed;
    }
    return Result::Done;
}
