#pragma once
// Keeping the tables healthy: rebuilding one table or all, deleting the rows of a
// date range (or all rows) from one table or all, and salvaging the records of a
// damaged table file. The dialog collects the choice; this class asks the questions
// and does the work on the main frame's data set and table files.
#include <vector>
#include <wx/string.h>

class CMainFrameData;

class CDataTidy {
public:
    explicit CDataTidy(CMainFrameData& frame) : m_frame(frame) {}

    // The tables the dialog offers, in its list order.
    static const std::vector<wxString>& TableCodes();
    // Tables whose rows are deleted by their "日期"; the others lose all their rows.
    static bool IsDatedTable(const wxString& code);
    // The condition that deletes the rows of the table within the dates (each may be
    // empty; not both for a dated table, which gives an empty condition).
    static wxString DeleteCondition(const wxString& code, const wxString& fromDate,
                                    const wxString& toDate);
    // A date of the range as the edits hold it after their check: yyyy-mm-dd and real.
    static bool IsRangeDate(const wxString& text);

    // Rebuilds every table and purges old column widths (asks first). True when done.
    bool RebuildAll();
    // Rebuilds one table. True when it was rebuilt.
    bool RebuildOne(const wxString& code);
    // Deletes the rows within the dates from one table (code) or from all tables
    // (empty code); asks first. True when done.
    bool DeleteRows(const wxString& code, const wxString& fromDate, const wxString& toDate);
    // Salvages the records of the table's file into a fresh table that takes its place.
    bool Repair(const wxString& code);

private:
    bool RebuildPair(const wxString& code);
    bool PurgeOldColumnWidths();
    // Backs every table up into a folder the user picks; false when cancelled or
    // incomplete (reported).
    bool BackUp();
    void ReportDone();
    CMainFrameData& m_frame;
};
