#pragma once
// Exporting one table, or the rows of a date range, and optionally emptying it of the
// exported rows. The dialog loads the rows and has the document save them; this class
// makes the condition, checks the saved file and deletes, asking first.
#include <wx/string.h>

class CMainFrameData;

class CDataExport {
public:
    explicit CDataExport(CMainFrameData& frame) : m_frame(frame) {}

    // The condition of the exported rows: the range of "日期" for a dated table (either
    // end may be empty; with neither the whole table), "no>-1" for the others. Empty
    // after the message about a date that is not yyyy-mm-dd.
    static wxString Condition(const wxString& code, const wxString& fromDate,
                              const wxString& toDate);
    // The statement that loads the rows of the condition.
    static wxString LoadStatement(const wxString& code, const wxString& condition);
    // Whether the file at path, read back, holds rows records.
    static bool IsComplete(const wxString& path, long rows);

    // After the save: with deleteRows, the rows of the condition are deleted once the
    // saved file holds every exported row and the operator agrees; then the done
    // message. savedPath is empty when nothing was saved: that is said instead, and
    // nothing is deleted. True when rows were deleted.
    bool Finish(const wxString& code, const wxString& condition, const wxString& savedPath,
                long rows, bool deleteRows);

private:
    CMainFrameData& m_frame;
};
