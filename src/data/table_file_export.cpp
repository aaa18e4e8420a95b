#include "data/table_file_export.h"

#include "data/data_folders.h"
#include "data/data_set.h"
#include "data/db_link.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/system_dir.h"

namespace {

wxString NameWithoutExtension(const wxString& path) {
    wxString name = wxString::FromUTF8(platform::ResolvePathNoCase(path.utf8_string()));
    name = name.AfterLast('/');
    return name.Left(name.length() - 4);
}

} // namespace

int ExportToTableFile(const ado::RecordsetPtr& recordset, const wxString& path) {
    const std::string working = platform::JoinPath(platform::SystemDirectory(), "Data") + "/";
    if (path.utf8_string().find(working) != std::string::npos) return 0;
    CDbLink link;
    return link.ImportToNewTable(recordset, path);
}

int ExportToEncryptedFile(const ado::RecordsetPtr& recordset, const wxString& path) {
    const wxString table = "tp" + NameWithoutExtension(path);
    const std::string working = DataPathFile(table + ".dbf");
    if (platform::FileExists(working)) {
        if (platform::ShowMessageBox("文件已经存在,是否覆盖?", "", platform::MB_YESNO) !=
            platform::IDYES)
            return 0;
        platform::SetReadOnly(working, false);
        if (!platform::DeleteFile(working)) {
            platform::ShowMessageBox("文件删除失败,文件可能还正被占用.");
            return 0;
        }
    }
    {
        CDbLink link;
        if (!link.ImportToNewTable(recordset, wxString::FromUTF8(working))) return 0;
    }
    // The save has encrypted the working table into the account set's folder; the
    // index made with it is of no use without the table.
    platform::DeleteFile(DataPathFile(table + ".cdx"));
    const std::string encrypted = ProgramPath(g_strSetFolder + table + ".dwf");
    std::string error;
    if (!platform::FileExists(encrypted) ||
        !platform::CopyFileAtomic(encrypted, path.utf8_string(), true, &error)) {
        CDataSet::ShowComError(ado::ComError(ado::AdoHr(ado::adErrWriteFile),
                                             std::string(ado::AdoErrorText(ado::adErrWriteFile)) +
                                                 " " + path.utf8_string()));
        return 0;
    }
    platform::SetReadOnly(path.utf8_string(), false);
    platform::SetReadOnly(encrypted, false);
    platform::DeleteFile(encrypted);
    return 1;
}
