#pragma once
// CDbLink: a connection and a recordset of its own for one exchange with a file
// outside the account set's tables: opening a table file, a saved recordset, an
// encrypted table or a workbook, and exporting a recordset into a workbook or into
// a new table file. It never uses the shared connection; everything it opened is
// closed when it is destroyed.
#include "ado/ado.h"

#include <functional>
#include <vector>
#include <wx/string.h>

class CDbLink {
public:
    CDbLink();
    ~CDbLink();
    CDbLink(const CDbLink&) = delete;
    CDbLink& operator=(const CDbLink&) = delete;

    // Closes and releases the connection (a fresh one is made by the next OpenFile).
    void CloseConnection();
    void CloseRecordset();

    // Opens the connection on connectionText and then the recordset on source (a
    // statement containing "select", otherwise the path of a saved recordset); an
    // empty text skips its step. 1, or 0 after the error box.
    int Open(const wxString& connectionText, const wxString& source);
    // The connection text for a file by its extension; empty for other files.
    static wxString MakeConnectionString(const wxString& path);
    // Opens a .adtg, .dbf/.DBF, .xls/.XLS or .dwf file into the recordset. 1 when it is
    // open; 0 after a refusal or a reported failure.
    int OpenFile(const wxString& path);
    // Opens the first sheet of the workbook that has records, as text columns named by
    // its header row. 1 when one is open; 0 otherwise (a file that cannot be read is
    // reported).
    int OpenExcelSheet(const wxString& path);

    // The name a workbook is written under: the writer makes .xlsx files, so an
    // ".xls" name becomes ".xlsx" and a name without the extension gets it.
    static wxString WorkbookName(const wxString& path);
    // Writes the named fields of every record (the first left out with skipFirst) into
    // a new workbook at WorkbookName(path). ADO errors (an unknown field name) reach
    // the caller.
    void ExportToSpreadsheet(const ado::RecordsetPtr& source, const wxString& path,
                             const std::vector<wxString>& fieldNames, bool skipFirst);
    // Shows the recordset in the desktop's spreadsheet program: a header row of field
    // names and a row per record written to a new workbook in the private system
    // folder, named after the title, which the desktop then opens. Nothing is saved
    // in the account set; a workbook the program cannot write or open is reported
    // with "Excel无法起动(可能没有安装或安装不正确)." Returns the workbook's path, or
    // empty after the message.
    wxString ExportToExcel(const ado::RecordsetPtr& source, const wxString& title);
    // How a workbook is handed to the desktop (wxLaunchDefaultApplication unless a test
    // sets another; an empty launcher brings it back); false when it could not be opened.
    using SpreadsheetLauncher = std::function<bool(const wxString& path)>;
    static void SetSpreadsheetLauncher(SpreadsheetLauncher launcher);

    // Creates a table at path shaped after the recordset's fields and copies its rows
    // into it. 1 when the rows are saved; 0 after a reported failure. Errors of the
    // table creation and of the field values reach the caller.
    int ImportToNewTable(const ado::RecordsetPtr& source, const wxString& path);

    ado::ConnectionPtr connection;
    ado::RecordsetPtr recordset;
    bool recordsetOpen = false;
    bool connectionOpen = false;

private:
    void MakeObjects();
    int OpenEncryptedTable(const wxString& path);
};
