#pragma once
// Importing the rows of a table file (a saved recordset, a DBF table, an encrypted
// table or a workbook) into one of the account set's tables. The operator pairs
// source fields with target fields by mapping lines; the rows are staged, appended to
// the target's rows for checking, and saved only when the check is confirmed.
#include "ado/ado.h"
#include "data/data_set.h"
#include "data/db_link.h"

#include <utility>
#include <vector>
#include <wx/string.h>

class CDataImport {
public:
    // The tables offered as targets, in their list order.
    static const std::vector<wxString>& TargetCodes();
    // The name a path gives its table: after the last separator, up to the first ".".
    static wxString TableName(const wxString& path);
    // sourceName.sourceField---->targetName.targetField
    static wxString MappingLine(const wxString& sourceName, const wxString& sourceField,
                                const wxString& targetName, const wxString& targetField);
    // The source and the target field of a line, each after its last ".".
    static std::pair<wxString, wxString> MappedFields(const wxString& line);

    // Opens the source file; true when its rows are ready.
    bool OpenSource(const wxString& path);
    // Opens the staging set on the target table named by the path's file name; true
    // when it is open.
    bool OpenTarget(const wxString& path);
    std::vector<wxString> SourceFields() const;
    std::vector<wxString> TargetFields() const;
    // A line for every source field, but "no" and "wx", that the target has by name.
    std::vector<wxString> MatchFields(const wxString& sourceName, const wxString& targetName) const;

    // Stages every source record in the target's shape and appends the staged rows to
    // all rows of the target table, the recordset to check. Null when the lines are
    // empty or name a field the source or the target lacks (reported), or when the
    // target cannot be opened (reported).
    ado::RecordsetPtr PrepareBatch(const std::vector<wxString>& lines);
    // Numbers the new rows and saves the batch: "操作完成 ". Or drops it: "操作已取消!".
    bool Confirm(const ado::RecordsetPtr& batch);
    void Cancel(const ado::RecordsetPtr& batch);

    const wxString& TargetCode() const { return m_strTargetCode; }

private:
    static std::vector<wxString> FieldNames(const ado::RecordsetPtr& recordset);

    CDbLink m_linkSource;
    CDataSet m_setStage;
    wxString m_strTargetCode;
};
