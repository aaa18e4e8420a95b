// qvsql: runs one statement of the dialect against the tables of a folder.
//
//   qvsql [--types] [--save-adtg FILE] FOLDER 'STATEMENT'
//   qvsql [--types] --adtg FILE
//
// A SELECT prints tab-separated lines: the column names, with --types a line of
// type/size/precision/scale (ADO codes), then one line per row (text in UTF-8
// without trailing blanks, numbers with their scale, dates as YYYY-MM-DD, the
// empty date as an empty field, NULL as NULL). Other statements print the number
// of records affected. --save-adtg also saves the result of a SELECT as an ADTG
// file; --adtg prints the recordset saved in FILE (with its pending changes) instead
// of running a statement. Errors go to stderr and the exit status is 1. A FOLDER
// inside a program folder (one with the lock file "qv.lock") is used only while no
// running program holds that folder: a SELECT shares the lock, other statements take
// it alone.
#include "ado/ado.h"
#include "foxdb/database.h"
#include "foxdb/index_trust.h"
#include "platform/gbk.h"
#include "platform/program_lock.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <string>

namespace {

std::string Clean(std::string s) {
    for (char& c : s)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return s;
}

// What "%.*f" prints, without printf's exact decimal expansion for a value that lies
// on (or within a hair of) a whole number of its last decimals, as the results' numbers
// do; anything else goes to printf.
std::string Fixed(double d, int scale) {
    static const double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
    if (scale >= 0 && scale <= 9 && std::isfinite(d)) {
        const double scaled = std::fabs(d) * kPow10[scale];
        const double whole = std::nearbyint(scaled);
        if (scaled < 1e15 && std::fabs(scaled - whole) < 1e-6) {
            const auto units = static_cast<unsigned long long>(whole);
            const auto unit = static_cast<unsigned long long>(kPow10[scale]);
            std::string digits = std::to_string(units % unit);
            std::string out = std::signbit(d) ? "-" : "";
            out += std::to_string(units / unit);
            if (scale > 0) out += "." + std::string(scale - digits.size(), '0') + digits;
            return out;
        }
    }
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", scale, d);
    return buf;
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
    if (const auto* d = std::get_if<double>(&v))
        return Fixed(*d, column.type == adNumeric ? column.scale : 6);
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

bool IsSelect(const std::string& statement) {
    size_t at = statement.find_first_not_of(" \t\r\n(");
    if (at == std::string::npos || statement.size() - at < 6) return false;
    for (size_t i = 0; i < 6; ++i)
        if (std::tolower(static_cast<unsigned char>(statement[at + i])) != "select"[i])
            return false;
    return true;
}

// A saved recordset as the engine's result type, so that it prints the same way.
foxdb::ResultSet ReadAdtg(const std::string& path) {
    ado::Recordset rs;
    rs.Open(path, nullptr, ado::adOpenStatic, ado::adLockBatchOptimistic, ado::adCmdFile);
    foxdb::ResultSet out;
    ado::Fields& fields = rs.Fields();
    for (int i = 0; i < fields.Count(); ++i) {
        foxdb::ResultColumn c;
        c.name = fields.Item(i).Name();
        c.type = fields.Item(i).Type();
        c.definedSize = static_cast<int>(fields.Item(i).DefinedSize());
        c.precision = fields.Item(i).Precision();
        c.scale = fields.Item(i).NumericScale();
        out.columns.push_back(c);
    }
    for (; !rs.EndOfFile(); rs.MoveNext()) {
        std::vector<foxdb::Value> row;
        for (int i = 0; i < fields.Count(); ++i) {
            ado::Variant v = fields.Item(i).Value();
            switch (v.vt()) {
            case ado::VT_NULL:
                row.push_back(foxdb::Null{});
                break;
            case ado::VT_BSTR:
                row.push_back(platform::Utf8ToGbk(v.ToString()));
                break;
            case ado::VT_BOOL:
                row.push_back(v.ToBool());
                break;
            case ado::VT_I2:
            case ado::VT_I4:
            case ado::VT_I8:
                row.push_back(v.ToInt64());
                break;
            case ado::VT_DATE: {
                double ole = v.ToDate();
                row.push_back(foxdb::Date{
                    ole == 0 ? 0 : static_cast<int32_t>(ole) + foxdb::kJulianDayOfOleZero});
                break;
            }
            default:
                row.push_back(v.ToDouble());
            }
        }
        out.rows.push_back(std::move(row));
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    bool types = false;
    int at = 1;
    if (at < argc && std::string(argv[at]) == "--types") {
        types = true;
        ++at;
    }
    std::string adtg, saveAdtg;
    if (argc - at >= 2 && std::string(argv[at]) == "--adtg") {
        adtg = argv[at + 1];
        at += 2;
    } else if (argc - at >= 2 && std::string(argv[at]) == "--save-adtg") {
        saveAdtg = argv[at + 1];
        at += 2;
    }
    if (argc - at != (adtg.empty() ? 2 : 0)) {
        std::cerr << "usage: qvsql [--types] [--save-adtg FILE] FOLDER 'STATEMENT'\n"
                     "       qvsql [--types] --adtg FILE\n";
        return 2;
    }
    try {
        foxdb::ResultSet rs;
        if (!adtg.empty()) {
            rs = ReadAdtg(adtg);
        } else {
            // Inside a program folder the tool runs only while no program writes it, and
            // writes only while nothing else uses it.
            if (const std::string program = platform::ProgramFolderAbove(argv[at]);
                !program.empty()) {
                std::string problem;
                if (!platform::LockProgramFolder(program,
                                                 IsSelect(argv[at + 1])
                                                     ? platform::FolderUse::kRead
                                                     : platform::FolderUse::kWrite,
                                                 &problem)) {
                    std::cerr << "qvsql: " << problem << "\n";
                    return 1;
                }
            }
            // Indexes the program or an earlier run checked or wrote are not checked again.
            foxdb::RememberIndexPairsOfTheSystemFolder();
            // Left to the system at the exit: taking apart the tables' in-memory indexes
            // and what SQLite's sorter left costs a one-shot run as much as a small query.
            // The statement is done (and a change written) before anything is printed.
            // Held where leak checkers see it: a store the compiler may not drop.
            static foxdb::Database* volatile kept = nullptr;
            foxdb::Database* db = new foxdb::Database(argv[at]);
            kept = db;
            long affected = db->Execute(argv[at + 1], &rs);
            if (rs.columns.empty()) {
                std::cout << affected << "\n";
                return 0;
            }
            if (!saveAdtg.empty()) {
                ado::Recordset saved;
                saved.OpenResult(rs, argv[at + 1]);
                saved.Save(saveAdtg);
            }
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
