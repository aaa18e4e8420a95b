#include "app/users_file.h"

#include "data/data_folders.h"
#include "data/record_fields.h"
#include "foxdb/database.h"
#include "platform/files.h"
#include "platform/gbk.h"
#include "platform/message_box.h"
#include "platform/paths.h"

#include <fstream>
#include <iterator>

namespace {

std::string Path(const char* relative) {
    return ProgramPath(wxString::FromUTF8(relative));
}

void ShowDamaged() {
    platform::ShowMessageBox(CUsersFile::DamagedText());
}

} // namespace

std::string CUsersFile::DamagedText() {
    // Backups hold the users file, so a damaged one locks nobody out for good.
    const std::string program = platform::ProgramFolder();
    return "系统文件已损坏!\n用户文件 " + Path(kStoredFile) +
           " 可以从数据备份中恢复：把备份目录（自动备份在 " +
           platform::JoinPath(program, "AutBak") +
           " 中按星期存放）里 Picture 目录下的 "
           "printinfo.adtg 复制到 " +
           platform::JoinPath(program, "Picture") + " 中，再重新运行本系统。";
}

bool CUsersFile::InvertCopy(const std::string& from, const std::string& to) {
    std::string bytes;
    if (!platform::ReadFileBytes(from, bytes)) return false;
    for (char& byte : bytes)
        byte = static_cast<char>(~static_cast<unsigned char>(byte));
    return platform::WriteFileAtomic(to, bytes);
}

bool CUsersFile::CreateWithAdministrator(const wxString& loginName, const wxString& password) {
    foxdb::ResultSet users;
    for (const char* name : {"logname", "pass", "qx"}) {
        foxdb::ResultColumn column;
        column.name = name;
        column.type = foxdb::adVarChar;
        column.definedSize = name == std::string("qx") ? 254 : 20;
        users.columns.push_back(column);
    }
    users.rows.push_back({platform::Utf8ToGbk(loginName.utf8_string()),
                          platform::Utf8ToGbk(password.utf8_string()), std::string("0")});
    CUsersFile file;
    file.m_pRecordset = std::make_shared<ado::Recordset>();
    try {
        file.m_pRecordset->OpenResult(std::move(users));
    } catch (const ado::ComError&) {
        return false;
    }
    return file.Save();
}

bool CUsersFile::Load() {
    m_pRecordset.reset();
    m_bUserFound = false;
    const std::string working = Path(kWorkingCopy);
    platform::DeleteFile(working);
    if (!InvertCopy(Path(kStoredFile), working)) {
        platform::DeleteFile(working);
        ShowDamaged();
        return false;
    }
    auto recordset = std::make_shared<ado::Recordset>();
    try {
        recordset->Open(working, nullptr, ado::adOpenStatic, ado::adLockBatchOptimistic,
                        ado::adCmdFile);
        // A users file must hold the three fields.
        for (const char* field : {"logname", "pass", "qx"})
            recordset->Fields().Item(field);
    } catch (const ado::ComError&) {
        platform::DeleteFile(working);
        ShowDamaged();
        return false;
    }
    platform::DeleteFile(working);
    m_pRecordset = std::move(recordset);
    return true;
}

bool CUsersFile::CheckUser(const wxString& loginName, const wxString& password, wxString* rights) {
    if (!Load()) return false;
    ado::Recordset& users = *m_pRecordset;
    // A quote would end the search text early.
    if (loginName.empty() || loginName.Contains("'") || users.RecordCount() <= 0) return false;
    try {
        users.MoveFirst();
        users.Find("logname='" + loginName.utf8_string() + "'");
    } catch (const ado::ComError&) {
        return false; // a name the search cannot take is no user's
    }
    if (users.EndOfFile()) return false;
    const wxString stored = FieldText(users, "pass");
    if (stored.empty() || stored != password) return false;
    if (users.Fields().Item("qx").Value().IsNull()) return false;
    const wxString denied = FieldText(users, "qx");
    if (denied.empty()) return false;
    m_bUserFound = true;
    if (rights) *rights = FieldText(users, "logname") + "," + denied;
    return true;
}

bool CUsersFile::ChangePassword(const wxString& newPassword) {
    if (!m_pRecordset || !m_bUserFound) return false;
    try {
        m_pRecordset->Fields().Item("pass").PutValue(ado::Variant(newPassword.utf8_string()));
        m_pRecordset->Update();
    } catch (const ado::ComError&) {
        ShowDamaged();
        return false;
    }
    if (Save()) return true;
    ShowDamaged();
    return false;
}

bool CUsersFile::Save() {
    if (!m_pRecordset) return false;
    const std::string working = Path(kWorkingCopy);
    platform::DeleteFile(working); // the recordset does not save over a file
    bool saved = false;
    try {
        m_pRecordset->Save(working, ado::adPersistADTG);
        saved = InvertCopy(working, Path(kStoredFile));
    } catch (const ado::ComError&) {
    }
    platform::DeleteFile(working);
    return saved;
}
