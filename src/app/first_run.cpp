#include "app/first_run.h"

#include "app/tip_dlg.h"

#include "app/account_sets.h"
#include "app/users_file.h"
#include "data/data_folders.h"
#include "data/initials_table.h"
#include "data/setting_files.h"
#include "data/table_catalog.h"
#include "foxdb/database.h"
#include "foxdb/error.h"
#include "platform/files.h"
#include "platform/gbk.h"
#include "platform/wx_text.h"

#include <vector>

namespace {

bool Fail(wxString* error, const wxString& reason) {
    if (error) *error = reason;
    return false;
}

} // namespace

bool CProgramFolderSetup::IsNewFolder() {
    if (CSettingFiles::FileExists(CUsersFile::kStoredFile)) return false;
    return !CSettingFiles::FileExists("Data/*.dwf") && !CSettingFiles::FileExists("Data/*.dbf");
}

wxString CProgramFolderSetup::CheckCredentials(const wxString& loginName, const wxString& password,
                                               const wxString& repeated) {
    const size_t nameBytes = platform::GbkLength(loginName.utf8_string());
    if (nameBytes == 0 || nameBytes > 20 || loginName != loginName.Strip(wxString::both) ||
        loginName.Contains("'") || loginName.Contains(","))
        return U("登录名要有1到20个字节，不能含有引号、逗号，前后不能有空格。");
    const size_t passwordBytes = platform::GbkLength(password.utf8_string());
    if (passwordBytes == 0 || passwordBytes > 10) return U("密码要有1到10个字节。");
    if (password != repeated) return U("两次输入的密码不同，请重新输入!");
    return wxString();
}

bool CProgramFolderSetup::Create(const wxString& loginName, const wxString& password,
                                 wxString* error) {
    for (const char* folder : {"Picture", "Report", "Data"})
        if (!platform::CreateFolders(ProgramPath(folder)))
            return Fail(error, U("无法建立目录 ") + wxString::FromUTF8(ProgramPath(folder)));

    try {
        foxdb::Database tables(ProgramPath("Data"));
        const CTableCatalog catalog;
        for (const wxString& code : catalog.GetTableCodes()) {
            if (CSettingFiles::FileExists("Data/" + code + ".dbf") ||
                CSettingFiles::FileExists("Data/" + code + ".dwf"))
                continue;
            tables.Execute(catalog.GetCreateSql(code).utf8_string());
        }
        const std::string initials = platform::FindFileNoCase(ProgramPath("Data"), "qvpy.dbf");
        if (!initials.empty()) CInitialsTable::FillNewTable(initials);
    } catch (const foxdb::Error& failure) {
        return Fail(error, U("无法建立数据表: ") + wxString::FromUTF8(failure.what()));
    }

    std::vector<wxString> company(10);
    if (!CSettingFiles::WriteSettingFile("FirstRun", "FirstRun") ||
        !CSettingFiles::WriteSettingFile("noerro", "noerro") ||
        !CSettingFiles::WriteSettingFile("currztname", CAccountSets::DefaultSetName()) ||
        !CSettingFiles::WriteCsvLine("Picture/Memfile", company))
        return Fail(error, U("无法写入 Picture 目录中的设置文件。"));

    // A new folder gets a few tips, so the tip of the day has something to show.
    if (!platform::FileExists(ProgramPath(CTipDlg::kTipsFile)))
        platform::WriteFileAtomic(ProgramPath(CTipDlg::kTipsFile),
                                  "用\"修改密码\"换掉自己的密码,用\"系统设置\"改功能选项。\n"
                                  "每天正常退出时,系统自动把数据备份到 AutBak 下当天的星期目录。\n"
                                  "用\"数据备份\"可以随时把数据另存到别的目录。\n");

    if (!CUsersFile::CreateWithAdministrator(loginName, password))
        return Fail(error, U("无法写入用户文件 ") + CUsersFile::kStoredFile);
    return true;
}
