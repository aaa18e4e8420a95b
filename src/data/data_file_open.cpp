#include "data/data_file_open.h"

#include "data/data_set.h"
#include "data/db_link.h"
#include "data/table_crypt.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace {

bool NameHas(const wxString& name, const char* extension) {
    return name.find(extension, 1) != wxString::npos;
}

} // namespace

wxString DataFileOpenFilter() {
    return wxString::FromUTF8("本系统表格文件(*.adtg)|*.adtg|加密文件(*.dwf)|*.dwf|"
                              "FoxPro DBF 文件(*.dbf)|*.dbf|ACCESS 数据库(*.mdb)|*.mdb|"
                              "SQL 数据库(*.mdf)|*.mdf|"
                              "Excel 工作簿(*.xlsx;*.xls)|*.xlsx;*.xls;*.XLSX;*.XLS|"
                              "All files(*.*)|*.*");
}

wxString DataFileSaveFilter() {
    return wxString::FromUTF8("本系统表格文件(*.adtg)|*.adtg|加密文件(*.dwf)|*.dwf|"
                              "FoxPro DBF 文件(*.dbf)|*.dbf|ACCESS 数据库(*.mdb)|*.mdb|"
                              "SQL 数据库(*.mdf)|*.mdf|Excel 工作簿(*.xlsx)|*.xlsx|"
                              "All files(*.*)|*.*");
}

OpenedFileKind KindOfOpenedFile(const wxString& path) {
    const wxString name = path.AfterLast('/');
    for (const char* extension : {".adtg", ".xls", ".dwf", ".dbf", ".DBF"})
        if (NameHas(name, extension)) return OpenedFileKind::DataFile;
    for (const char* extension : {".BMP", ".GIF", ".JPG", ".bmp", ".gif", ".jpg"})
        if (NameHas(path, extension)) return OpenedFileKind::Picture;
    return OpenedFileKind::Document;
}

void OpenDataFile(const wxString& path, const std::function<void(const wxString&)>& load) {
    const wxString folder = path.BeforeLast('/');
    const wxString name = path.AfterLast('/');
    if (name == "printinfo.adtg") {
        platform::ShowMessageBox("系统文件，不允许操作！");
        return;
    }
    if (!CTableCrypt::DataFileExists("fieldlong.dbf"))
        CTableCrypt::CryptTables("select * from fieldlong", 1);
    if (NameHas(name, ".adtg")) {
        load(folder + "/" + name);
        return;
    }
    CDbLink link;
    if (!link.OpenFile(folder + "/" + name) || !link.recordsetOpen) return;

    // A name still in use (one that cannot be deleted) is passed over.
    wxString temporary = folder + "/nvtemp.adtg";
    for (int n = 1; platform::FileExists(temporary.utf8_string()); ++n) {
        platform::DeleteFile(temporary.utf8_string());
        temporary = wxString::Format("%s/nvtemp%d.adtg", folder, n);
    }
    try {
        link.recordset->Save(temporary.utf8_string(), ado::adPersistADTG);
    } catch (const ado::ComError& error) {
        CDataSet::ShowComError(error);
        return;
    }
    load(temporary);
    platform::DeleteFile(temporary.utf8_string());
}

void SaveRecordsetAdtg(const wxString& path, const ado::RecordsetPtr& recordset) {
    const std::string file = (path + ".adtg").utf8_string();
    platform::DeleteFile(file);
    recordset->Save(file, ado::adPersistADTG);
}
