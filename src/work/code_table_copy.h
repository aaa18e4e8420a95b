#pragma once
// The saved copy of a code table's new lines: "<heading>.adtg" in the program folder,
// written while lines added to the page are not yet saved, so that they survive a
// crash or a closed page and are offered again the next time the table opens. It
// holds only the new lines (those not yet numbered): the stored rows stay where they
// are and cannot come back twice.
#include "ado/recordset.h"

#include <string>
#include <wx/string.h>

class CDataSet;

class CCodeTableCopy {
public:
    CCodeTableCopy(const wxString& heading, const wxString& table);

    std::string Path() const;
    bool Exists() const;
    // Writes the lines' new records to the copy (replacing it); none left: the copy
    // goes. A failed write is logged: the lines on the page are not touched.
    void Keep(CDataSet& data, const ado::RecordsetPtr& lines);
    // Adds the copy's lines to the lines as new records numbered -(lastNo + 1), ...
    // (lastNo counts on). The number of lines added; 0 without a readable copy.
    int Restore(CDataSet& data, const ado::RecordsetPtr& lines, long& lastNo);
    void Drop();

private:
    wxString m_strHeading;
    wxString m_strTable;
};
