#pragma once
// The document of a work page in the sheet's lines recordset (filtered to its
// customer): the rows of one customer, the first of which, in the order the rows were
// read, is the document's header record (archived mark, suspend mark, document-level
// values in reused fields). The header stays first whatever order the grid sorts the
// lines in, and no walk over the lines ever reaches it.
#include "ado/recordset.h"

#include <vector>
#include <wx/string.h>

namespace work {

extern const char* const kWalkIn; // "零散客户"

// The recordset on the document's header record; false when the document has no row.
bool MoveToHeaderRecord(const ado::RecordsetPtr& rs);
// The bookmarks of the document's lines in the order they are shown.
std::vector<ado::Variant> LineRecords(const ado::RecordsetPtr& rs);
// A fresh header record for the customer: 客户, no "-1" and the lines' flag.
void AddHeaderRecord(const ado::RecordsetPtr& rs, const wxString& customer, const char* flag);

} // namespace work
