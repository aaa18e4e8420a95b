// Receiving a 50-line stock-in into an encrypted account set whose stock `ljkc` holds
// 50,000 records and receipts `jhda` 200,000, merged by bin with the weighted average
// (the most work a receipt does), against copying the encrypted files of the tables
// it writes. Prints seconds (best of a few runs) and the ratio.
#include "bench_tables.h"
#include "data/data_folders.h"
#include "data/data_set.h"
#include "data/main_frame_data.h"
#include "parts/stock_in.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/wx_text.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr uint32_t kStock = 50000;
constexpr uint32_t kReceipts = 200000;
constexpr int kLines = 50;
constexpr int kRuns = 3;
const char* const kTables[] = {"ljkc", "jhda", "jgk", "hy"};

double Since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void FillStock(const std::string& folder) {
    bench::MakeCatalogTable(folder, "ljkc", 0);
    foxdb::TableEdit edit(foxdb::FindTableFile(folder, "ljkc"));
    std::vector<foxdb::Value> row(edit.Table().Fields().size(), foxdb::Null{});
    auto field = [&](const char* name) { return edit.Table().FieldIndex(name); };
    for (uint32_t r = 1; r <= kStock; ++r) {
        row[field("编号")] = "P" + std::to_string(r);
        row[field("零件名称")] = platform::Utf8ToGbk("配件") + std::to_string(r);
        row[field("货位")] = std::string("B1");
        row[field("数量")] = int64_t(100);
        row[field("进价")] = 10.0;
        row[field("no")] = int64_t(r);
        edit.Append(row);
    }
    edit.Commit();
}

std::vector<parts::PartLine> Lines(int run) {
    std::vector<parts::PartLine> lines;
    for (int i = 1; i <= kLines; ++i) {
        parts::PartLine line;
        // Half the lines are parts in stock, half new ones.
        line.code = i % 2 ? "P" + std::to_string(i * 997) : "N" + std::to_string(run * 100 + i);
        line.name = U("配件") + line.code;
        line.bin = "B1";
        line.quantity = 5;
        line.cost = 12;
        line.supplier = U("供应商") + std::to_string(i % 3);
        lines.push_back(line);
    }
    return lines;
}

} // namespace

int main() {
    char name[] = "/tmp/qv-stock-in-bench-XXXXXX";
    const std::string root = ::mkdtemp(name);
    const std::string home = root + "/home";
    fs::create_directories(home + "/Picture");
    fs::create_directories(home + "/Data");
    ::setenv("QV_SYSDIR", (root + "/sys").c_str(), 1);
    platform::SetProgramFolder(home);
    SetAccountSet(wxString());
    const std::string working = g_strDataPath.utf8_string();
    fs::create_directories(working);
    platform::SetMessageBoxHandler([](const std::string& text, const std::string&, unsigned type) {
        std::fprintf(stderr, "box: %s\n", text.c_str());
        return platform::DefaultReply(type);
    });

    const std::string set = home + "/Data";
    bench::MakeCatalogTable(set, "jhda", kReceipts);
    FillStock(set);
    for (const char* table : {"jgk", "hy", "LJDB"})
        bench::MakeCatalogTable(set, table, 0);
    for (const std::string& index : platform::ListFiles(set, "*.cdx"))
        platform::MoveFile(set + "/" + index, working + index);
    CMainFrameData frame;
    frame.m_strRights = "admin,";
    frame.EncryptAllTables();
    CSettingFiles::WriteSettingFile("SystemSet", U("jgk=1,入库单=1,"));

    double best = 1e9, bestCopy = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        parts::CStockIn stockIn(parts::StockInOptions::Load());
        std::vector<parts::PartLine> lines = Lines(run);
        wxString last;
        parts::CStockIn::Records records;
        records.lastNumber = &last;
        if (!stockIn.Open() || !stockIn.Prepare(lines) || !stockIn.Store(lines, records)) return 1;
        best = std::min(best, Since(start));

        const std::string copies = root + "/copies";
        fs::remove_all(copies);
        fs::create_directories(copies);
        const auto copyStart = Clock::now();
        for (const char* table : kTables)
            platform::CopyFileAtomic(set + "/" + table + ".dwf", copies + "/" + table + ".dwf");
        bestCopy = std::min(bestCopy, Since(copyStart));
    }
    std::printf("receive a 50-line stock-in:           %.3f s\n", best);
    std::printf("copy the four encrypted table files:  %.3f s\n", bestCopy);
    std::printf("ratio:                                %.2f\n", best / bestCopy);
    // The floor of any change to the two big tables while they rest encrypted.
    const auto cryptStart = Clock::now();
    for (const char* table : {"ljkc", "jhda"}) {
        CTableCrypt::DecryptTable(table);
        CTableCrypt::EncryptTable(table);
    }
    std::printf("of which at least: decrypt and encrypt back ljkc and jhda %.3f s\n",
                Since(cryptStart));
    fs::remove_all(root);
    return 0;
}
