#pragma once
// One field over the rows of a statement, opened through a data set: trailing blanks
// removed, "NULL" for a null.
#include "ado/ado.h"
#include "data/data_set.h"

#include <vector>
#include <wx/string.h>

namespace qv_test {

inline std::vector<wxString> StatementColumn(const wxString& statement, const char* field) {
    CDataSet data;
    data.Open(statement);
    std::vector<wxString> values;
    if (!data.IsOpen() || data.m_pRecordset->RecordCount() < 1) return values;
    auto rs = data.m_pRecordset;
    for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext()) {
        ado::Variant value = rs->Fields().Item(field).Value();
        values.push_back(value.IsNull() ? wxString("NULL")
                                        : wxString::FromUTF8(value.ToString()).Trim(true));
    }
    return values;
}

} // namespace qv_test
