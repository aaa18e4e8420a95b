#pragma once
// Sending a recordset's pending changes to its base table in one TableEdit.
#include "ado/row_store.h"

#include <string>
#include <vector>

namespace ado {

// Writes the pending rows `rowIds` of `store` into the table named by the columns'
// base, found in `folder`: every changed or deleted row is first checked against
// the record it came from; any conflict, or any table error, leaves the table
// untouched and throws ComError with the rows' pending changes kept (conflicting
// rows get adRecConcurrencyViolation). On success the rows become clean.
void SaveBatch(RowStore& store, const std::vector<long>& rowIds, const std::string& folder);

} // namespace ado
