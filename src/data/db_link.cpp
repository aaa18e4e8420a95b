#include "data/db_link.h"

#include "data/data_folders.h"
#include "data/data_progress.h"
#include "data/data_set.h"
#include "data/main_frame_data.h"
#include "data/spreadsheet.h"
#include "data/table_crypt.h"
#include "data/workbook_file.h"
#include "foxdb/database.h"
#include "foxdb/dbf_table.h"
#include "platform/files.h"
#include "platform/gbk.h"
#include "platform/message_box.h"
#include "platform/system_dir.h"

#include <algorithm>
#include <set>
#include <wx/arrstr.h>
#include <wx/datetime.h>
#include <wx/utils.h>

namespace {

constexpr const char* kFoxProDriver = "Driver={Microsoft Visual FoxPro Driver};SourceType=DBF;"
                                      "SourceDB=";

// The position of the last folder separator ("\" as the other platform wrote it, or
// the native one), or npos.
size_t LastSeparator(const wxString& path) {
    size_t slash = path.rfind('/');
    size_t backslash = path.rfind('\\');
    if (slash == wxString::npos) return backslash;
    if (backslash == wxString::npos) return slash;
    return std::max(slash, backslash);
}

wxString FileNameOf(const wxString& path) {
    size_t at = LastSeparator(path);
    return at == wxString::npos ? path : path.Mid(at + 1);
}

wxString FolderOf(const wxString& path) {
    size_t at = LastSeparator(path);
    return at == wxString::npos ? path : path.Left(at);
}

// The extension text stands after the name's first character.
bool NameHas(const wxString& name, const char* extension) {
    return name.find(extension, 1) != wxString::npos;
}

// ADO's own error for the file, its standard text followed by what went wrong.
void Report(ado::ErrorValueEnum number, const std::string& detail) {
    CDataSet::ShowComError(ado::ComError(ado::AdoHr(number),
                                         std::string(ado::AdoErrorText(number)) + " " + detail,
                                         "ADODB.Recordset"));
}

// The file as it is spelled on disk (names are found ignoring case).
std::string ExistingFile(const wxString& path) {
    return platform::ResolvePathNoCase(path.utf8_string());
}

// The text of a value for a sheet cell: empty for Null, for the empty date and for
// what has no text form; trailing blanks dropped.
wxString CellText(const ado::Variant& value) {
    if (value.IsNull() || (value.vt() == ado::VT_DATE && value.ToDate() == 0)) return wxString();
    try {
        return wxString::FromUTF8(value.ToString()).Trim(true);
    } catch (const ado::ComError&) {
        return wxString();
    }
}

// The column of the new table that takes a recordset field, or "" for none.
wxString ColumnDefinition(const wxString& name, const ado::Field& field) {
    long size = field.DefinedSize();
    switch (field.Type()) {
    case ado::adChar:
    case ado::adVarChar:
    case ado::adLongVarChar:
    case ado::adWChar:
    case ado::adVarWChar:
        return wxString::Format("%s C(%ld),", name, std::clamp(size, 1L, 100L));
    case ado::adNumeric:
        // A table number is at most 20 wide, and needs room for its two decimals.
        return wxString::Format("%s N(%ld,2),", name, std::clamp(size - 2, 4L, 20L));
    case ado::adDate:
    case ado::adDBDate:
    case ado::adDBTime:
    case ado::adDBTimeStamp:
        return name + " D,";
    case ado::adTinyInt:
    case ado::adSmallInt:
    case ado::adInteger:
    case ado::adBigInt:
    case ado::adUnsignedTinyInt:
    case ado::adUnsignedSmallInt:
    case ado::adUnsignedInt:
        return name + " I,";
    case ado::adSingle:
    case ado::adDouble:
    case ado::adCurrency:
        return name + " N(20,4),";
    default:
        return wxString();
    }
}

// Whether the logged-in user's denied rights list the token 66 (the login name that
// heads the list is not a right).
bool DeniesEncryptedFiles() {
    if (!g_pFrameData) return false;
    wxArrayString items = wxSplit(g_pFrameData->m_strRights, ',');
    for (size_t i = 1; i < items.size(); ++i)
        if (items[i].Strip(wxString::both) == "66") return true;
    return false;
}

} // namespace

CDbLink::CDbLink() {
    MakeObjects();
}

CDbLink::~CDbLink() {
    try {
        CloseRecordset();
        CloseConnection();
    } catch (const ado::ComError&) {
        // closing what is already gone
    }
}

void CDbLink::MakeObjects() {
    connection = std::make_shared<ado::Connection>();
    recordset = std::make_shared<ado::Recordset>();
}

void CDbLink::CloseConnection() {
    if (!connectionOpen) return;
    connection->Close();
    connection.reset();
    connectionOpen = false;
}

void CDbLink::CloseRecordset() {
    if (!recordsetOpen) return;
    recordsetOpen = false;
    if (recordset->IsOpen()) recordset->Close();
}

int CDbLink::Open(const wxString& connectionText, const wxString& source) {
    if (!connectionText.empty()) {
        try {
            if (!connection) connection = std::make_shared<ado::Connection>();
            connection->PutConnectionString(connectionText.utf8_string());
            connection->Open(std::string(), std::string(), std::string(),
                             ado::adConnectUnspecified);
            connectionOpen = true;
        } catch (const ado::ComError& error) {
            CDataSet::ShowComError(error);
            connectionOpen = false;
            connection.reset();
            return 0;
        }
    }
    if (!source.empty()) {
        CloseRecordset();
        try {
            recordset->PutActiveConnection(connection);
            recordset->PutCursorType(ado::adOpenDynamic);
            recordset->PutLockType(ado::adLockBatchOptimistic);
            recordset->PutCursorLocation(ado::adUseClient);
            long options = source.Contains("select") ? ado::adCmdText : ado::adCmdFile;
            recordset->Open(source.utf8_string(), connection, ado::adOpenDynamic,
                            ado::adLockBatchOptimistic, options);
            recordsetOpen = true;
        } catch (const ado::ComError& error) {
            CDataSet::ShowComError(error);
            recordsetOpen = false;
            return 0;
        }
    }
    return 1;
}

wxString CDbLink::MakeConnectionString(const wxString& path) {
    const size_t at = LastSeparator(path);
    const wxString name = FileNameOf(path);
    const wxString folder = FolderOf(path);
    const wxString separator = at == wxString::npos ? wxString("\\") : path.Mid(at, 1);
    wxString text;
    if (NameHas(name, ".adtg") || NameHas(name, ".dbf") || NameHas(name, ".DBF") ||
        NameHas(name, ".dwf"))
        text = kFoxProDriver + folder + separator;
    if (NameHas(name, ".xls") || NameHas(name, ".XLS"))
        text = "Driver={Microsoft Excel Driver (*.xls)};DriverId=790;Dbq=" + folder + separator +
               name + ";DefaultDir=" + folder;
    return text;
}

int CDbLink::OpenFile(const wxString& path) {
    const wxString name = FileNameOf(path);
    const wxString base = name.BeforeFirst('.');
    if (base.length() > 10 && platform::ShowMessageBox("文件名太长,系统可能不支持,是否继续?", "",
                                                       platform::MB_YESNO) != platform::IDYES)
        return 0;
    if (connectionOpen) {
        CloseRecordset();
        CloseConnection();
        MakeObjects();
    }
    const wxString extension = path.AfterLast('.').Lower();
    const bool workbook = extension == "xls" || extension == "xlsx";
    const bool table = path.EndsWith(".adtg") || path.EndsWith(".dbf") || path.EndsWith(".DBF");
    if (!workbook && !path.EndsWith(".dwf") && !table) {
        platform::ShowMessageBox("此版本不支持该功能,如果需要请与程序供应商联系.");
        return 0;
    }
    // Workbooks are read directly; the other files go through the table engine on
    // their folder.
    if (workbook) return OpenExcelSheet(path);
    if (path.EndsWith(".dwf")) return OpenEncryptedTable(path);
    if (!platform::FileExists(ExistingFile(path))) {
        Report(ado::adErrOpeningFile, path.utf8_string());
        return 0;
    }
    if (!Open(MakeConnectionString(path), wxString())) return 0;
    return Open(wxString(), path.EndsWith(".adtg") ? path : "select * from " + base);
}

// An encrypted table is copied beside the account set's tables as <name>Temp.dwf and
// decrypted into the working folder, where the link opens the plain copy.
int CDbLink::OpenEncryptedTable(const wxString& path) {
    if (DeniesEncryptedFiles()) {
        platform::ShowMessageBox("权限不够,不能操作!");
        return 0;
    }
    const std::string file = ExistingFile(path);
    if (!platform::FileExists(file)) {
        Report(ado::adErrOpeningFile, file);
        return 0;
    }
    const wxString name = FileNameOf(path);
    const wxString tempName = name.Left(name.length() - 4) + "Temp";
    const std::string temporary = ProgramPath(g_strSetFolder + tempName + ".dwf");
    if (platform::FileExists(temporary)) {
        platform::SetReadOnly(temporary, false);
        platform::DeleteFile(temporary);
    }
    std::string error;
    if (!platform::CopyFileAtomic(file, temporary, false, &error)) {
        Report(ado::adErrOpeningFile, error);
        return 0;
    }
    const int decrypted = CTableCrypt::DecryptTable(tempName);
    platform::SetReadOnly(temporary, false);
    platform::DeleteFile(temporary);
    if (!decrypted) return 0; // the library has said why
    if (connectionOpen) {
        CloseRecordset();
        CloseConnection();
        MakeObjects();
    }
    int opened = Open(CDataSet::DefaultConnectionText(), wxString()) &&
                 Open(wxString(), "select * from " + tempName);
    // The recordset holds every row; a plain copy left in the working folder would be
    // encrypted into the account set with its tables at the end of the run.
    platform::DeleteFile(DataPathFile(tempName + ".dbf"));
    return opened;
}

int CDbLink::OpenExcelSheet(const wxString& path) {
    std::vector<WorkbookSheet> sheets;
    std::string reason;
    if (!ReadWorkbook(path.utf8_string(), &sheets, &reason)) {
        Report(ado::adErrReadFile, reason + " " + path.utf8_string());
        return 0;
    }
    for (const WorkbookSheet& sheet : sheets) {
        if (sheet.rows.size() < 2) continue;
        foxdb::ResultSet result;
        // As many columns as the widest row; a column without a title is F<n>.
        const auto& header = sheet.rows[0];
        size_t width = 0;
        for (const auto& row : sheet.rows)
            width = std::max(width, row.size());
        for (size_t c = 0; c < width; ++c) {
            foxdb::ResultColumn column;
            column.name =
                c >= header.size() || header[c].empty() ? "F" + std::to_string(c + 1) : header[c];
            column.type = foxdb::adVarChar;
            column.definedSize = 1;
            result.columns.push_back(column);
        }
        for (size_t r = 1; r < sheet.rows.size(); ++r) {
            std::vector<foxdb::Value> values(width, foxdb::Null{});
            for (size_t c = 0; c < sheet.rows[r].size(); ++c) {
                if (sheet.rows[r][c].empty()) continue;
                std::string gbk = platform::Utf8ToGbk(sheet.rows[r][c]);
                int& size = result.columns[c].definedSize;
                size = std::max(size, static_cast<int>(gbk.size()));
                values[c] = std::move(gbk);
            }
            result.rows.push_back(std::move(values));
        }
        CloseRecordset();
        recordset->OpenResult(std::move(result), path.utf8_string(), nullptr,
                              ado::adLockBatchOptimistic);
        recordsetOpen = true;
        return 1;
    }
    return 0;
}

wxString CDbLink::WorkbookName(const wxString& path) {
    const wxString extension = path.AfterLast('.').Lower();
    if (path.Contains(".") && extension == "xlsx") return path;
    if (path.Contains(".") && extension == "xls") return path + "x";
    return path + ".xlsx";
}

void CDbLink::ExportToSpreadsheet(const ado::RecordsetPtr& source, const wxString& path,
                                  const std::vector<wxString>& fieldNames, bool skipFirst) {
    const wxString file = WorkbookName(path);
    if (platform::FileExists(file.utf8_string())) {
        platform::SetReadOnly(file.utf8_string(), false);
        platform::DeleteFile(file.utf8_string());
    }
    CSpreadSheet sheet(file, "Sheet1", true);
    sheet.BeginTransaction();
    std::vector<wxString> sizes;
    for (const wxString& name : fieldNames)
        sizes.push_back(
            wxString::Format("%ld", source->Fields().Item(name.utf8_string()).DefinedSize()));
    sheet.SetColumnSizes(sizes);
    if (!sheet.AddHeaders(fieldNames, false)) {
        Report(ado::adErrWriteFile, sheet.GetLastError().utf8_string());
        return;
    }

    const long count = source->RecordCount();
    std::unique_ptr<CDataProgress> progress;
    if (count > 0) {
        source->MoveFirst();
        if (skipFirst) source->MoveNext();
        progress = std::make_unique<CDataProgress>("正在加载数据...", 10, count, false);
    }
    long counter = 2, percent = 200;
    for (; count > 0 && !source->EndOfFile(); source->MoveNext()) {
        progress->StepIt();
        if (count > 10) {
            ++counter;
            percent += 100;
            if (counter % 10 == 0)
                progress->SetText(wxString::Format("   %ld%% complete", percent / count));
        }
        std::vector<wxString> cells;
        for (const wxString& name : fieldNames)
            cells.push_back(CellText(source->Fields().Item(name.utf8_string()).Value()));
        sheet.AddRow(cells, 0, false);
    }
    progress.reset();
    if (!sheet.Commit()) {
        Report(ado::adErrWriteFile, sheet.GetLastError().utf8_string());
        return;
    }
    platform::ShowMessageBox("操作完成 ");
}

namespace {
bool LaunchDefault(const wxString& path) {
    return wxLaunchDefaultApplication(path);
}

CDbLink::SpreadsheetLauncher& Launcher() {
    static CDbLink::SpreadsheetLauncher launcher = LaunchDefault;
    return launcher;
}
} // namespace

void CDbLink::SetSpreadsheetLauncher(SpreadsheetLauncher launcher) {
    Launcher() = launcher ? std::move(launcher) : LaunchDefault;
}

wxString CDbLink::ExportToExcel(const ado::RecordsetPtr& source, const wxString& title) {
    const char* const kNotStarted = "Excel无法起动(可能没有安装或安装不正确).";
    if (!source || !source->IsOpen()) return wxString();
    std::string problem;
    const std::string folder = platform::SystemDirectory(&problem);
    if (folder.empty()) {
        platform::ShowMessageBox(problem);
        return wxString();
    }
    WorkbookSheet sheet;
    sheet.name = "Sheet1";
    ado::Fields& fields = source->Fields();
    std::vector<std::string> header;
    for (long i = 0; i < fields.Count(); ++i) {
        header.push_back(fields.Item(i).Name());
        sheet.columnWidths.push_back(std::min<long>(fields.Item(i).DefinedSize(), 30));
    }
    sheet.rows.push_back(header);
    const long count = source->RecordCount();
    if (count > 0) {
        CDataProgress progress("正在加载数据...", 10, count, false);
        for (source->MoveFirst(); !source->EndOfFile(); source->MoveNext()) {
            progress.StepIt();
            std::vector<std::string> row;
            for (long i = 0; i < fields.Count(); ++i)
                row.push_back(CellText(fields.Item(i).Value()).utf8_string());
            sheet.rows.push_back(std::move(row));
        }
    }
    // A name of its own for every export: an earlier one may still be open.
    wxString name = title;
    for (const char* unsafe : {"/", "\\", ":", "*", "?", "\"", "<", ">", "|"})
        name.Replace(unsafe, "_");
    if (name.empty()) name = "qv";
    const wxString path = wxString::FromUTF8(folder) + "/" + name + "-" +
                          wxDateTime::UNow().Format("%Y%m%d%H%M%S%l") + ".xlsx";
    std::string error;
    if (!WriteWorkbook(path.utf8_string(), {sheet}, &error) || !Launcher()(path)) {
        platform::ShowMessageBox(kNotStarted);
        return wxString();
    }
    return path;
}

int CDbLink::ImportToNewTable(const ado::RecordsetPtr& source, const wxString& path) {
    const wxString name = FileNameOf(path);
    const wxString table = name.Left(name.length() - 4);
    if (!Open(MakeConnectionString(path), wxString())) return 0;
    const std::string file = ExistingFile(path);
    if (platform::FileExists(file)) {
        platform::SetReadOnly(file, false);
        platform::DeleteFile(file);
    }

    // Each column takes one field; "no" is the table's own numbering, and a name
    // that the 10-byte limit makes equal to an earlier one is left out.
    wxString statement = "CREATE TABLE " + table + " (";
    std::vector<std::pair<int, wxString>> columns; // source field, column name
    std::set<wxString> taken{"no"};
    ado::Fields& fields = source->Fields();
    if (source->RecordCount() > 0) source->MoveFirst();
    for (long i = 0; i < fields.Count(); ++i) {
        ado::Field& field = fields.Item(static_cast<int>(i));
        // A heading from outside becomes a name the dialect can use, never DDL text.
        wxString column = wxString::FromUTF8(foxdb::ValidFieldName(
            wxString::FromUTF8(field.Name()).Strip(wxString::both).utf8_string()));
        if (column.empty() || !taken.insert(column.Lower()).second) continue;
        wxString definition = ColumnDefinition(column, field);
        if (definition.empty()) continue;
        statement += definition;
        columns.emplace_back(static_cast<int>(i), column);
    }
    statement += "no I UNIQUE)";
    connection->Execute(statement.utf8_string(), nullptr, ado::adCmdText | ado::adExecuteNoRecords);

    if (!OpenFile(path)) return 0;
    ado::Fields& target = recordset->Fields();
    if (source->RecordCount() > 0) {
        for (source->MoveFirst(); !source->EndOfFile(); source->MoveNext()) {
            recordset->AddNew();
            for (const auto& [index, column] : columns) {
                ado::Variant value = fields.Item(index).Value();
                ado::Field& into = target.Item(column.utf8_string());
                // Text longer than its column keeps what fits, never half a character.
                if (value.vt() == ado::VT_BSTR)
                    value =
                        ado::Variant(platform::CutToGbkBytes(value.ToString(), into.DefinedSize()));
                into.PutValue(value);
            }
            recordset->Update();
        }
    }
    CDataSet data;
    data.NumberRows(recordset, "0");
    if (!data.Save(recordset)) return 0;
    CloseRecordset();
    CloseConnection();
    platform::ShowMessageBox("操作完成 ");
    return 1;
}
