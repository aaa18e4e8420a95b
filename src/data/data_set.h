#pragma once
// CDataSet: the recordset class of every form. It opens statements (or saved
// recordset files) as client cursors in batch-optimistic mode on the main frame's
// shared connection, decrypting the tables a statement names first, and saves a
// batch with the tables decrypted around it. It also runs the DELETE and UPDATE
// statements, copies and numbers rows, and reaches the settings files, value checks
// and statement texts as its own static members. Recordsets reach grids through
// the grid folder's loaders (grid/data_set_grid.h).
#include "ado/ado.h"
#include "data/data_progress.h"
#include "data/setting_files.h"
#include "data/sql_text.h"
#include "data/table_crypt.h"
#include "data/value_check.h"

#include <functional>
#include <memory>
#include <vector>
#include <wx/string.h>

class wxItemContainer;
class CColumnGrid;
class CGridCtrl;

class CDataSet : public CSettingFiles, public CValueCheck, public CSqlText, public CTableCrypt {
public:
    // The connection text of the FoxPro tables in the current data path.
    static wxString DefaultConnectionText();
    // " Error: <code> Msg: <message> Description: <description>" in a message box.
    static void ShowComError(const ado::ComError& error);

    CDataSet();
    ~CDataSet();
    CDataSet(const CDataSet&) = delete;
    CDataSet& operator=(const CDataSet&) = delete;

    // --- Open and close.
    // Opens a statement (a text starting with "select", in any case) or the path of a
    // saved recordset file on the shared connection. Failures show the error box and
    // leave the data set closed.
    void Open(const wxString& text);
    // Opens a statement into a recordset the caller holds (closed first when open).
    // True on success; a failure has shown the error box.
    bool OpenInto(const wxString& statement, const ado::RecordsetPtr& recordset);
    // Opens the data set's own connection on the connection text (again when the text
    // changed), then the statement on it when there is one. 1 on success, 0 after the box.
    int OpenShowError(const wxString& connectionText, const wxString& statement);
    // Closes the recordset (unless a grid uses it, state 2) and the own connection.
    void Close();
    void CloseRecordset();
    bool IsOpen() const { return m_bOpen; }

    // Adds the first field of every record of the statement to the list (nulls skipped).
    void FillComboBox(const wxString& statement, wxItemContainer* list);
    // Sets the recordset's Filter to field = 'value' (the value quoted safely), or to
    // the value itself as a whole criterion when the field name is empty.
    static ado::RecordsetPtr MakeFilter(const ado::RecordsetPtr& recordset, const wxString& field,
                                        const wxString& value);

    // --- Saving (1 saved; 0 failed: cancelled, recorded in Picture/indexfile, reported).
    int Save(const ado::RecordsetPtr& recordset);

    // --- Statements and row operations. ADO errors reach the caller; the tables are
    // encrypted again whether the statement worked or not.
    void PutFieldValue(const wxString& value, const wxString& fieldName,
                       const ado::RecordsetPtr& recordset);
    void DeleteWhere(const wxString& table, const wxString& condition);
    // Sets field to value in the rows matching condition (every row when the condition
    // is empty). The value becomes a literal of the field's type: a checked number, a
    // date, or a safely quoted text.
    void UpdateWhere(const wxString& table, const wxString& field, const wxString& value,
                     const wxString& condition);
    // Appends every source record to the target, fields paired by type class and name
    // (or by name alone with nameOnly); `no` gets -(startNumber+1), -(startNumber+2), ...
    int CopyRecords(const ado::RecordsetPtr& source, const ado::RecordsetPtr& target,
                    int startNumber, bool nameOnly);
    // Copies the source's current record into the target's current (or a new) record.
    int CopyRecordsQuiet(const ado::RecordsetPtr& source, const ado::RecordsetPtr& target,
                         bool addNew, const wxString& fieldName);
    // Gives rows whose `no` is empty or negative running numbers after the table's
    // record count ("0": from 1), passing over numbers the table or the batch holds.
    void NumberRows(const ado::RecordsetPtr& recordset, const wxString& table);
    // The record count in the header of the table's file; 0 when it cannot be read.
    long GetDbfRecordCount(const wxString& table);
    // True when the set has the table, plain, encrypted or as a working copy.
    static bool TableExists(const wxString& table);

    // --- Column widths in `fieldlong`, titles and field names of a grid.
    // Sets the grid's columns 1..fieldCount from the row of its table (or document
    // kind): a null width gives 160, others are kept within 8..1000. No row: the
    // grid keeps its widths. (The first argument is replaced by the grid's key.)
    void LoadColumnWidths(const wxString& table, CColumnGrid* grid, int fieldCount);
    // Writes the widths of the grid's data columns (at most 38) into the row of its
    // table, adding the row when there is none, and saves it.
    void SaveColumnWidths(CColumnGrid* grid);
    static void GetGridTitles(const CColumnGrid* grid, std::vector<wxString>& titles);
    static void GetFieldNames(const CColumnGrid* grid, std::vector<wxString>& names);

    // --- Rebuilding (table_rebuild.cpp): creates the table afresh from the catalogue in
    // the staging folder and copies the old rows into it, renumbered. True when the new
    // table is complete there; otherwise nothing is staged and the old table stays.
    bool RebuildTable(const wxString& table);
    bool StreamRecords(const wxString& table, const wxString& definition);

    // The built-in width of a column by its title.
    static int DefaultColumnWidth(const wxString& title);

    // --- Maintenance due (maintenance_due.cpp).
    // The maintenance items last done on the vehicle whose plate holds `plate`, one row
    // per same-name group (the latest), left open on this data set: 项目名称, the
    // latest date, 码表, 保养里程 (the reading at which the item is next due), 单价,
    // 编号, 处理方法. With `show`, the items of the class never done are added when
    // the option 检查 is on, and a due list that has rows is handed to the viewer.
    void CheckMaintenanceDue(const wxString& plate, int show);
    // The same-name group of `name` in the rows of `tmlj`: ",A,B,...," with every name
    // of the group once; empty when no row names it.
    static wxString LookupAlias(const ado::RecordsetPtr& tmljRows, const wxString& name);
    // Shows a due list that has rows (the dialog of the repair workshop registers it).
    using MaintenanceDueViewer = std::function<void(CDataSet& dueList)>;
    static void SetMaintenanceDueViewer(MaintenanceDueViewer viewer);

    CDataProgress* BeginProgress(int maxValue);
    void StepProgress();
    void EndProgress();

    // --- State read by the grid, the frame and the forms.
    ado::RecordsetPtr m_pRecordset;
    ado::ConnectionPtr m_pConnection; // the own connection, or null
    wxString m_strConnection;         // filled on first use
    wxString m_strCurTable;           // the table a row copy names in its caption
    wxString m_strFieldLongTable;     // the fieldlong row last read
    int m_nState = 0;                 // 0 shared, 1 own connection, 2 own one used by a grid
    int m_nFieldCount = 0;
    bool m_bConnOpen = false; // the own connection is open
    bool m_bOpen = false;     // the recordset is open
    std::vector<int> m_columnWidths;
    // The bound grid (the main window's lookup grid, data_grid::LoadPartsGrid); its
    // deleter knows how to dispose of the window.
    std::shared_ptr<CGridCtrl> m_pGrid;

    // Sets m_strConnection to the default connection text when it is still empty.
    void FillConnectionText();

private:
    // The record count in the header of the table's file (0 when it cannot be read)
    // and, into *above when given, the numbers above it that its records hold.
    long ReadNumbering(const wxString& table, std::vector<long>* above);
    std::unique_ptr<CDataProgress> m_pProgress;
};
