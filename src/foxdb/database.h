#pragma once
// The statement engine: the FoxPro dialect over the tables of one folder, as the
// FoxPro ODBC driver answered it. SELECTs give a typed result; other statements
// give the number of records affected.
#include "foxdb/dbf_table.h"

#include <memory>
#include <string>
#include <vector>

namespace foxdb {

// ADO's DataTypeEnum values the engine produces.
enum AdoType : int {
    adSmallInt = 2,
    adInteger = 3,
    adDouble = 5,
    adCurrency = 6,
    adDate = 7,
    adBoolean = 11,
    adNumeric = 131,
    adDBDate = 133,
    adDBTimeStamp = 135,
    adChar = 129,
    adVarChar = 200,
    adLongVarChar = 201,
    adBigInt = 20,
};

struct ResultColumn {
    std::string name;    // UTF-8, as the driver named it (alias, field name, or Exp_n)
    int type = adChar;   // AdoType
    int definedSize = 0; // bytes for text; the ADO size otherwise
    int precision = 0;
    int scale = 0;
    bool nullable = true;
    // Where a plain column came from, so edits can go back: the table's path
    // and field index; empty / -1 for computed columns and for joins.
    std::string baseTable;
    int baseField = -1;
};

struct ResultSet {
    std::vector<ResultColumn> columns;
    std::vector<std::vector<Value>> rows;
    // For a result over one table (no join, no grouping, no DISTINCT): each row's
    // record number in that table. Empty otherwise.
    std::vector<uint32_t> recnos;
    std::string table; // that table's path, or empty
};

class Database {
public:
    // The folder holding the tables (the SourceDB of the connection text).
    explicit Database(std::string folder);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const std::string& Folder() const;

    // Runs one SELECT. Throws Error.
    ResultSet Query(const std::string& statement);
    // Runs one statement of any kind: a SELECT fills *result when given;
    // returns the number of records affected (0 for SELECT and DDL). Throws Error.
    long Execute(const std::string& statement, ResultSet* result = nullptr);

    // The names of the tables in the folder (without extension), for OpenSchema.
    std::vector<std::string> TableNames() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace foxdb
