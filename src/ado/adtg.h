#pragma once
// The ADTG TableGram of a saved recordset: header, handler options, result and
// table descriptors, column descriptors, then one element per row (original values,
// with the changed values or the delete mark of a pending change, or a new row),
// and the end token. Text of C(n) columns travels as GBK bytes. The DBF record
// numbers travel in a hidden row-id column, so a reopened recordset saves back to
// the same records.
#include "ado/row_store.h"

#include <memory>
#include <string>
#include <vector>

namespace ado {

// The rows `rowIds` of `store` with their pending changes.
std::string WriteTableGram(const RowStore& store, const std::vector<long>& rowIds);
// A whole TableGram; anything damaged, truncated or of a kind this library does
// not read (hierarchies, big-endian) throws ComError 3003 and gives nothing.
std::shared_ptr<RowStore> ReadTableGram(const std::string& bytes);

} // namespace ado
