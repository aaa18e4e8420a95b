// qvsql: runs one statement of the dialect against the tables of a folder.
//
//   qvsql [--types] FOLDER 'STATEMENT'
//
// A SELECT prints tab-separated lines: the column names, with --types a line of
// type/size/precision/scale (ADO codes), then one line per row (text in UTF-8
// without trailing blanks, numbers with their scale, dates as YYYY-MM-DD, the
// empty date as an empty field, NULL as NULL). Other statements print the number
// of records affected. Errors go to stderr and the exit status is 1.
#include "foxdb/database.h"
#include "platform/gbk.h"

#include <cstdio>
#include <iostream>
#include <string>

namespace {

std::string Clean(std::string s) {
    for (char& c : s)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return s;
}

std::string Show(const foxdb::Value& v, const foxdb::ResultColumn& column) {
    using namespace foxdb;
    if (IsNull(v)) return "NULL";
    if (const auto* s = std::get_if<std::string>(&v)) {
        std::string utf8 = platform::GbkToUtf8(*s);
        while (!utf8.empty() && utf8.back() == ' ')
            utf8.pop_back();
        return Clean(utf8);
    }
    char buf[64];
    if (const auto* d = std::get_if<double>(&v)) {
        std::snprintf(buf, sizeof buf, "%.*f", column.type == adNumeric ? column.scale : 6, *d);
        return buf;
    }
    if (const auto* i = std::get_if<int64_t>(&v)) return std::to_string(*i);
    if (const auto* date = std::get_if<Date>(&v)) {
        if (date->IsEmpty()) return "";
        int y, m, d;
        CivilFromJulianDay(date->julianDay, y, m, d);
        std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, d);
        return buf;
    }
    if (const auto* b = std::get_if<bool>(&v)) return *b ? ".T." : ".F.";
    return "";
}

} // namespace

int main(int argc, char** argv) {
    bool types = false;
    int at = 1;
    if (at < argc && std::string(argv[at]) == "--types") {
        types = true;
        ++at;
    }
    if (argc - at != 2) {
        std::cerr << "usage: qvsql [--types] FOLDER 'STATEMENT'\n";
        return 2;
    }
    try {
        foxdb::Database db(argv[at]);
        foxdb::ResultSet rs;
        rs.columns.clear();
        long affected = db.Execute(argv[at + 1], &rs);
        if (rs.columns.empty()) {
            std::cout << affected << "\n";
            return 0;
        }
        std::string line;
        for (size_t i = 0; i < rs.columns.size(); ++i)
            line += (i ? "\t" : "") + Clean(rs.columns[i].name);
        std::cout << line << "\n";
        if (types) {
            line.clear();
            for (size_t i = 0; i < rs.columns.size(); ++i) {
                const auto& c = rs.columns[i];
                line += (i ? "\t" : "") + std::to_string(c.type) + "/" +
                        std::to_string(c.definedSize) + "/" + std::to_string(c.precision) + "/" +
                        std::to_string(c.scale);
            }
            std::cout << line << "\n";
        }
        for (const auto& row : rs.rows) {
            line.clear();
            for (size_t i = 0; i < row.size(); ++i)
                line += (i ? "\t" : "") + Show(row[i], rs.columns[i]);
            std::cout << line << "\n";
        }
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "qvsql: " << e.what() << "\n";
        return 1;
    }
}
