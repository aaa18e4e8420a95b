#pragma once
// Parser for the FoxPro dialect the program sends: SELECT (clauses in any
// order), UPDATE, DELETE, INSERT, CREATE TABLE and DROP TABLE.
#include "foxdb/sql_ast.h"

#include <string>

namespace foxdb::sql {

// Throws Error(Syntax) naming the place of the first thing that does not fit.
Statement Parse(const std::string& statement);

// A word of the dialect that cannot name a table or a field (SELECT, FROM, ...).
bool IsReservedWord(const std::string& word);

} // namespace foxdb::sql
