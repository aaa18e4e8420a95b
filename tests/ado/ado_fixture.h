#pragma once
// Shared helpers of the recordset library's tests: scratch folders, catalogue
// tables filled through table edits, and small in-memory results.
#include "ado/ado.h"
#include "common/temp_folder.h"
#include "data/table_catalog.h"
#include "foxdb/database.h"
#include "foxdb/dbf_table.h"
#include "platform/gbk.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace ado_test {

using qv_test::Gbk;
using qv_test::TempFolder;

// A catalogue table created empty in `folder`; returns its path.
inline std::string CreateCatalogTable(const std::string& folder, const std::string& code) {
    std::string sql = CTableCatalog().GetCreateSql(wxString::FromUTF8(code)).utf8_string();
    std::string prefix = "CREATE TABLE " + code;
    foxdb::CreateTable(folder, code, foxdb::ParseFieldList(sql.substr(prefix.size())));
    return foxdb::FindTableFile(folder, code);
}

// Appends records given as field name -> value (UTF-8 text is stored as GBK).
struct Cell {
    std::string field;
    foxdb::Value value;
};
inline void AppendRecords(const std::string& path, const std::vector<std::vector<Cell>>& records) {
    foxdb::TableEdit edit(path);
    const auto& fields = edit.Table().Fields();
    for (const auto& record : records) {
        std::vector<foxdb::Value> values(fields.size(), foxdb::Null{});
        for (const Cell& cell : record) {
            int index = edit.Table().FieldIndex(cell.field);
            EXPECT_GE(index, 0) << cell.field;
            foxdb::Value v = cell.value;
            if (auto s = std::get_if<std::string>(&v)) v = Gbk(*s);
            values[static_cast<size_t>(index)] = v;
        }
        edit.Append(values);
    }
    edit.Commit();
}

inline foxdb::ResultColumn Column(const std::string& name, int type, int size, int precision = 0,
                                  int scale = 0) {
    foxdb::ResultColumn c;
    c.name = name;
    c.type = type;
    c.definedSize = size;
    c.precision = precision;
    c.scale = scale;
    return c;
}

inline foxdb::Date Day(int y, int m, int d) {
    return foxdb::Date{foxdb::JulianDayFromCivil(y, m, d)};
}

// Parts stock as a query result held in memory: no, 编号 C(10), 名称 C(20),
// 数量 N(10,2), 日期 D, with rows
//   1 A001 螺丝   5.00 2026-01-05
//   2 b002 垫片   12.50 2026-02-10
//   3 A003 螺母   NULL  empty date
//   4 C004 刹车片 3.25  2025-12-31
//   5 a005 螺丝钉 7.00  2026-03-01
inline foxdb::ResultSet PartsResult() {
    foxdb::ResultSet r;
    r.columns = {Column("no", foxdb::adInteger, 4, 10), Column("编号", foxdb::adChar, 10),
                 Column("名称", foxdb::adChar, 20), Column("数量", foxdb::adNumeric, 12, 10, 2),
                 Column("日期", foxdb::adDBDate, 8)};
    auto pad = [](const std::string& utf8, size_t n) {
        std::string g = Gbk(utf8);
        g.resize(n, ' ');
        return g;
    };
    struct Src {
        int no;
        const char* code;
        const char* name;
        foxdb::Value qty;
        foxdb::Date day;
    };
    const Src rows[] = {{1, "A001", "螺丝", 5.0, Day(2026, 1, 5)},
                        {2, "b002", "垫片", 12.5, Day(2026, 2, 10)},
                        {3, "A003", "螺母", foxdb::Null{}, foxdb::Date{}},
                        {4, "C004", "刹车片", 3.25, Day(2025, 12, 31)},
                        {5, "a005", "螺丝钉", 7.0, Day(2026, 3, 1)}};
    for (const Src& s : rows)
        r.rows.push_back({int64_t{s.no}, pad(s.code, 10), pad(s.name, 20), s.qty, s.day});
    return r;
}

inline std::unique_ptr<ado::Recordset> OpenParts() {
    auto rs = std::make_unique<ado::Recordset>();
    rs->OpenResult(PartsResult(), "select * from parts");
    return rs;
}

inline std::string Text(ado::Recordset& rs, const char* field) {
    return rs.Fields().Item(field).Value().ToString();
}

inline long No(ado::Recordset& rs) {
    return rs.Fields().Item("no").Value().ToLong();
}

// The `no` of every record of the view, in order.
inline std::vector<long> Numbers(ado::Recordset& rs) {
    std::vector<long> out;
    if (rs.RecordCount() == 0) return out;
    for (rs.MoveFirst(); !rs.EndOfFile(); rs.MoveNext())
        out.push_back(No(rs));
    return out;
}

// ljkc with four parts: no 1..4, 编号 P1..P4, 零件名称 螺丝/垫片/螺母/刹车片, 数量 10,20,30,40.
struct Stock {
    TempFolder dir;
    std::string path;
    ado::ConnectionPtr conn = std::make_shared<ado::Connection>();

    Stock() {
        path = CreateCatalogTable(dir.Path(), "ljkc");
        const char* names[] = {"螺丝", "垫片", "螺母", "刹车片"};
        std::vector<std::vector<Cell>> records;
        for (int i = 0; i < 4; ++i)
            records.push_back({{"编号", "P" + std::to_string(i + 1)},
                               {"零件名称", std::string(names[i])},
                               {"数量", int64_t{(i + 1) * 10}},
                               {"零售价", 1.5 * (i + 1)},
                               {"no", int64_t{i + 1}}});
        AppendRecords(path, records);
        conn->Open(ado::ConnectionStringOfFolder(dir.Path()));
    }

    std::unique_ptr<ado::Recordset> Open(const std::string& sql) {
        auto rs = std::make_unique<ado::Recordset>();
        rs->PutCursorLocation(ado::adUseClient);
        rs->Open(sql, conn, ado::adOpenStatic, ado::adLockBatchOptimistic, ado::adCmdText);
        return rs;
    }

    // 编号 (trimmed) and 数量 of every live record, in record order, read from the file.
    std::vector<std::string> Table() const {
        auto t = foxdb::DbfTable::Open(path);
        std::vector<std::string> out;
        int code = t->FieldIndex("编号"), qty = t->FieldIndex("数量");
        for (uint32_t r = 1; r <= t->RecordCount(); ++r) {
            if (t->IsDeleted(r)) continue;
            std::string c = std::get<std::string>(t->Get(r, code));
            c.erase(c.find_last_not_of(' ') + 1);
            foxdb::Value q = t->Get(r, qty);
            out.push_back(c + ":" +
                          (foxdb::IsNull(q) ? "null" : std::to_string(std::get<int64_t>(q))));
        }
        return out;
    }
};

inline void Put(ado::Recordset& rs, const char* field, const ado::Variant& v) {
    rs.Fields().Item(field).PutValue(v);
}

// The HRESULT `f` throws, or 0.
template <typename F> ado::HRESULT ErrorOf(F&& f) {
    try {
        f();
    } catch (const ado::ComError& e) {
        return e.Error();
    }
    return 0;
}

} // namespace ado_test
