// Receiving a 50-line stock-in into an encrypted account set whose stock `ljkc` holds
// 50,000 records and receipts `jhda` 200,000, merged by bin with the weighted average
// (the most work a receipt does), against copying the encrypted files of the tables
// it writes. Prints seconds (best of a few runs) and the ratio.
#include "data/data_set.h"
#include "parts/stock_in.h"
#include "platform/wx_text.h"
#include "settle_tables.h"

#include <algorithm>

using bench::Clock;
using bench::Since;

namespace {

constexpr uint32_t kStock = 50000;
constexpr uint32_t kReceipts = 200000;
constexpr int kLines = 50;
constexpr int kRuns = 3;

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
    const std::string root = bench::StartProgramFolder("stock_in_bench");
    platform::SetMessageBoxHandler([](const std::string& text, const std::string&, unsigned type) {
        std::fprintf(stderr, "box: %s\n", text.c_str());
        return platform::DefaultReply(type);
    });

    const std::string set = root + "/home/Data";
    bench::MakeCatalogTable(set, "jhda", kReceipts);
    bench::FillStock(set, kStock);
    for (const char* table : {"jgk", "hy", "LJDB"})
        bench::MakeCatalogTable(set, table, 0);
    CMainFrameData frame;
    frame.m_strRights = "admin,";
    bench::EncryptSet(set, frame);
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
        bestCopy = std::min(bestCopy, bench::CopyTables(set, root, {"ljkc", "jhda", "jgk", "hy"}));
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
    std::filesystem::remove_all(root);
    return 0;
}
