// The recordset library against the engine under it:
// 1. open "select * from ljkc" (50,000 records) into a client recordset and walk it
//    reading every field, against the same query walked through the engine alone;
// 2. UpdateBatch of 1,000 changed rows into a 500,000-record table, against a plain
//    copy of that table's file.
// One run each; prints the times and their ratios.
#include "ado/ado.h"
#include "bench_tables.h"
#include "foxdb/database.h"
#include "foxdb/dbf_table.h"
#include "platform/files.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// A folder with ljkc filled with `records` parts; returns the folder.
std::string MakeStock(uint32_t records) {
    std::string folder = bench::MakeFolder("ado_bench");
    bench::MakeCatalogTable(folder, "ljkc", records);
    return folder;
}

} // namespace

int main() {
    // 1. Walking a client recordset against walking the engine's result.
    {
        std::string folder = MakeStock(50000);
        size_t sink = 0;
        auto start = Clock::now();
        {
            foxdb::Database db(folder);
            foxdb::ResultSet r = db.Query("select * from ljkc");
            for (const auto& row : r.rows)
                for (const foxdb::Value& v : row)
                    if (auto s = std::get_if<std::string>(&v))
                        sink += platform::GbkToUtf8(*s).size();
                    else
                        sink += v.index();
        }
        double engine = Seconds(start);

        start = Clock::now();
        {
            auto conn = std::make_shared<ado::Connection>();
            conn->Open(ado::ConnectionStringOfFolder(folder));
            ado::Recordset rs;
            rs.PutCursorLocation(ado::adUseClient);
            rs.Open("select * from ljkc", conn, ado::adOpenStatic, ado::adLockBatchOptimistic,
                    ado::adCmdText);
            ado::Fields& fields = rs.Fields();
            const int count = static_cast<int>(fields.Count());
            for (; !rs.EndOfFile(); rs.MoveNext())
                for (int f = 0; f < count; ++f) {
                    ado::Variant v = fields.Item(f).Value();
                    sink += v.vt() == ado::VT_BSTR ? v.ToString().size() : v.vt();
                }
        }
        double recordset = Seconds(start);
        std::printf("walk 50,000 records: engine %.3f s, recordset %.3f s, ratio %.2f (%zu)\n",
                    engine, recordset, recordset / engine, sink);
        std::filesystem::remove_all(folder);
    }

    // 2. A batch of 1,000 changed rows against a copy of the whole table file.
    {
        std::string folder = MakeStock(500000);
        std::string path = foxdb::FindTableFile(folder, "ljkc");
        auto conn = std::make_shared<ado::Connection>();
        conn->Open(ado::ConnectionStringOfFolder(folder));
        ado::Recordset rs;
        rs.PutCursorLocation(ado::adUseClient);
        rs.Open("select * from ljkc where no>=250000 and no<251000", conn, ado::adOpenStatic,
                ado::adLockBatchOptimistic, ado::adCmdText);
        for (; !rs.EndOfFile(); rs.MoveNext())
            rs.Fields().Item("数量").PutValue(rs.Fields().Item("数量").Value().ToLong() + 1);
        auto start = Clock::now();
        rs.UpdateBatch();
        double batch = Seconds(start);

        start = Clock::now();
        platform::CopyFileAtomic(path, folder + "/copy.dbf");
        double copy = Seconds(start);
        std::printf("UpdateBatch of %ld rows into 500,000 records: %.3f s, file copy %.3f s, "
                    "ratio %.2f (%lld bytes)\n",
                    rs.RecordCount(), batch, copy, batch / copy, platform::FileSize(path));
        std::filesystem::remove_all(folder);
    }
    return 0;
}
