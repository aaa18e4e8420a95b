#pragma once
// Shared helpers of the storage tests: a scratch folder, catalogue tables, raw
// file access and the independent readers run through python3.
#include "common/temp_folder.h"
#include "data/table_catalog.h"
#include "foxdb/dbf_table.h"
#include "platform/gbk.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <unistd.h>

namespace foxdb_test {

using qv_test::Gbk;
using qv_test::TempFolder;

// The field list the catalogue gives a table code.
inline std::string CatalogDefinition(const std::string& code) {
    std::string sql = CTableCatalog().GetCreateSql(wxString::FromUTF8(code)).utf8_string();
    std::string prefix = "CREATE TABLE " + code;
    return sql.compare(0, prefix.size(), prefix) == 0 ? sql.substr(prefix.size()) : sql;
}

inline std::string CreateCatalogTable(const std::string& folder, const std::string& code) {
    foxdb::CreateTable(folder, code, foxdb::ParseFieldList(CatalogDefinition(code)));
    return foxdb::FindTableFile(folder, code);
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string Text(const foxdb::Value& v) {
    if (auto s = std::get_if<std::string>(&v)) return *s;
    return "<not text>";
}

} // namespace foxdb_test
