#pragma once
// Turns a parsed statement into the SQL SQLite runs over the foxdbf virtual
// tables, resolving every name against the table headers and inferring every
// value's type. Text values travel without trailing blanks ("norm" form) except
// where FoxPro's functions see the padding, so SQLite's own =, <, IN, GROUP BY
// and ORDER BY give the driver's results.
#include "foxdb/sql_ast.h"

#include <functional>
#include <string>
#include <vector>

namespace foxdb::sql {

struct TableInfo {
    std::string vtab; // the virtual table's name in SQLite
    std::string path;
    const std::vector<FieldDef>* fields = nullptr;
};
// Finds a table of the folder; throws Error(FileNotFound).
using TableResolver = std::function<TableInfo(const TableRef&)>;

struct SortField {
    int field = 0;
    bool descending = false;
};

struct OutputColumn {
    std::string name;
    Type type;
    bool nullable = true;
    std::string baseTable; // the plain column of a single-table result
    int baseField = -1;
};

struct SelectPlan {
    std::string sql;
    std::vector<OutputColumn> columns;
    bool withRecno = false; // the SQL has one more column: the record number
    std::string table;      // the table's path when withRecno
    // When withRecno: the same FROM, WHERE and ORDER BY giving only the record
    // numbers, in the order of the rows of `sql`.
    std::string recnoSql;
    // When withRecno and every ORDER BY term is a field of the table as it stands:
    // those fields, and recnoSql without its ORDER BY (the records in the order
    // SQLite would have sorted them from).
    std::vector<SortField> sortFields;
    std::string unsortedRecnoSql;
};

// The rows an UPDATE or DELETE touches: "SELECT recno, value... FROM t WHERE ...",
// or the values of an INSERT: "SELECT value...".
struct RowPlan {
    std::string sql;
    std::vector<Type> valueTypes;
    TableInfo table;
};

SelectPlan TranslateSelect(const Select& select, const TableResolver& resolve);
RowPlan TranslateRows(const TableRef& table, const std::vector<const Expr*>& values,
                      const Expr* where, const TableResolver& resolve);
RowPlan TranslateValues(const std::vector<const Expr*>& values);

} // namespace foxdb::sql
