#pragma once
// A generated account set held twice: as catalogue tables in the DBF engine and as
// SQLite's own tables with the same rows, so a statement can be timed on both.
#include "bench_tables.h"
#include "data/table_catalog.h"
#include "foxdb/database.h"
#include "platform/gbk.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <string>
#include <utility>
#include <vector>

namespace bench {

constexpr int kLjsh = 500000, kLjkc = 50000, kGk = 20000;

inline const char* const kModels[] = {"桑塔纳", "捷达",   "奥迪", "富康",
                                      "夏利",   "帕萨特", "宝来", "本田"};

inline std::string Plate(int i) {
    return "京A" + std::to_string(10000 + i);
}
inline std::string PartNo(int i) {
    return "P" + std::to_string(100000 + i);
}

using Row = std::vector<std::pair<std::string, foxdb::Value>>; // name, value (text in UTF-8)

// Appends rows to a catalogue table in one edit, and the same rows to a native SQLite
// table of the same name (dates as day numbers, texts without padding).
inline void FillTwinTables(const std::string& folder, sqlite3* native, const std::string& code,
                           int count, const std::function<Row(int)>& make) {
    foxdb::Database(folder).Execute(CTableCatalog().GetCreateSql(code).utf8_string());
    foxdb::TableEdit edit(foxdb::FindTableFile(folder, code));
    const auto& defs = edit.Table().Fields();
    std::string columns, marks;
    for (const auto& def : defs) {
        columns += (columns.empty() ? "\"" : ",\"") + def.name + "\"";
        marks += marks.empty() ? "?" : ",?";
    }
    sqlite3_exec(native, ("CREATE TABLE " + code + "(" + columns + ")").c_str(), nullptr, nullptr,
                 nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(native, ("INSERT INTO " + code + " VALUES (" + marks + ")").c_str(), -1,
                       &insert, nullptr);
    sqlite3_exec(native, "BEGIN", nullptr, nullptr, nullptr);
    for (int i = 0; i < count; ++i) {
        std::vector<foxdb::Value> record(defs.size(), foxdb::Null{});
        for (int column = 1; column <= int(defs.size()); ++column)
            sqlite3_bind_null(insert, column);
        for (const auto& [name, v] : make(i)) {
            const int f = edit.Table().FieldIndex(name);
            const int column = f + 1;
            if (const auto* s = std::get_if<std::string>(&v)) {
                record[f] = platform::Utf8ToGbk(*s);
                sqlite3_bind_text(insert, column, s->c_str(), -1, SQLITE_TRANSIENT);
            } else if (const auto* d = std::get_if<double>(&v)) {
                record[f] = v;
                sqlite3_bind_double(insert, column, *d);
            } else if (const auto* n = std::get_if<int64_t>(&v)) {
                record[f] = v;
                sqlite3_bind_int64(insert, column, *n);
            } else if (const auto* date = std::get_if<foxdb::Date>(&v)) {
                record[f] = v;
                sqlite3_bind_int64(insert, column, date->julianDay);
            }
        }
        edit.Append(record);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_exec(native, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_finalize(insert);
    edit.Commit();
}

// The folder named on the command line, else a fresh one under /tmp (then *own).
inline std::string FolderArgument(int argc, char** argv, const std::string& tag, bool* own) {
    *own = argc < 2;
    return *own ? MakeFolder(tag) : std::string(argv[1]);
}

// Runs a statement on SQLite's tables and reads every value; returns the row count.
inline size_t NativeRows(sqlite3* db, const std::string& sql) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "native: %s\n  %s\n", sqlite3_errmsg(db), sql.c_str());
        return 0;
    }
    size_t rows = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int i = 0; i < sqlite3_column_count(st); ++i)
            sqlite3_column_value(st, i);
        ++rows;
    }
    sqlite3_finalize(st);
    return rows;
}

inline double Millis(const std::function<size_t()>& run, size_t& rows) {
    auto start = std::chrono::steady_clock::now();
    rows = run();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

} // namespace bench
