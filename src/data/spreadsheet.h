#pragma once
// CSpreadSheet: one sheet of a workbook, or one delimited text file, as a table of
// text cells whose first row is the header. Rows are added inside a batch and written
// by Commit; without an open batch every added row writes the file at once. Failures
// return false and leave the reason in GetLastError; nothing is shown here.
//
// A name ending in ".xls" or ".xlsx" (any case) is a workbook: read whether it is an Office Open
// or an older binary workbook, written as an Office Open workbook (the file keeps the
// name it was given). Any other name is a text file in the GBK code page, each cell
// between double quotes and the cells joined by the separator.
#include "data/workbook_file.h"

#include <vector>
#include <wx/string.h>

class CSpreadSheet {
public:
    // sheetOrSeparator: the sheet name of a workbook, the separator of a text file.
    // Reads what the file holds; with backup on, a file that has a header row is first
    // copied: a workbook's sheet into the sheet "CSpreadSheetBackup", a text file to
    // the name followed by ".bak". A failed copy clears the backup flag.
    CSpreadSheet(const wxString& file, const wxString& sheetOrSeparator, bool backup);

    // Reads the sheet or the file into the rows; false when there is nothing to read.
    bool Open();
    // New sheet: the names become the header. Existing one: the names are added to its
    // header (a workbook's header may not repeat a name), or replace it with replace.
    bool AddHeaders(const std::vector<wxString>& names, bool replace);
    // Row 0 appends; a row beyond the last is reached through empty rows; a row within
    // the table is replaced (replace) or gets the new row inserted before it. Row 1 is
    // the header.
    bool AddRow(const std::vector<wxString>& cells, int row = 0, bool replace = false);
    // Fills cells from a row (0: the current one, which then advances).
    bool ReadRow(std::vector<wxString>& cells, int row = 0);
    void BeginTransaction() { m_bTransaction = true; }
    // Writes the whole table to the file and closes the batch.
    bool Commit();

    // The width of each header column in characters ("" means 255), used by Commit.
    void SetColumnSizes(const std::vector<wxString>& sizes) { m_aColumnSizes = sizes; }

    const wxString& GetLastError() const { return m_sLastError; }
    int GetTotalRows() const { return m_dTotalRows; }
    int GetTotalColumns() const { return m_dTotalColumns; }
    bool IsBackedUp() const { return m_bBackup; }

private:
    bool CommitTo(const wxString& file, const wxString& sheet);
    bool CommitWorkbook(const wxString& file, const wxString& sheet);
    bool CommitText(const wxString& file);
    std::vector<wxString> DecodeLine(const wxString& line) const;
    wxString EncodeRow(const std::vector<wxString>& cells) const;
    bool Fail(const wxString& message);

    bool m_bAppend = false;      // the sheet exists and has a header row
    bool m_bBackup = false;      // from the constructor; cleared when the copy failed
    bool m_bExcel = false;       // a workbook, not a text file
    bool m_bTransaction = false; // a batch is open: added rows wait for Commit
    int m_dCurrentRow = 1;
    int m_dTotalRows = 0;
    int m_dTotalColumns = 0;
    wxString m_sLastError;
    wxString m_sSheetName;
    wxString m_sFile;
    wxString m_sSeparator;
    std::vector<wxString> m_aFieldNames;
    std::vector<wxString> m_aColumnSizes;
    // The rows, header first; cells are kept apart, so a cell may hold any text.
    std::vector<std::vector<wxString>> m_aRows;
};
