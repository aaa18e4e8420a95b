#pragma once
// Sorts record numbers by fields of their table as SQLite sorts the values the
// foxdbf module gives it: NULL first, numbers (and dates as day numbers) by value,
// text as bytes without trailing blanks; a descending field reversed; equal records
// kept in the order given, as SQLite's sorter keeps them. Only the keys are read, so
// a statement sorts without making a row of every record first.
#include "foxdb/dbf_table.h"
#include "foxdb/sql_translate.h"

#include <cstdint>
#include <vector>

namespace foxdb {

// False, leaving `recnos` as they were, for a field it cannot key (not C, N, F, I
// or D). Throws Error when the table's file was cut short under it.
bool SortRecords(const DbfTable& table, const std::vector<sql::SortField>& fields,
                 std::vector<uint32_t>& recnos);

} // namespace foxdb
