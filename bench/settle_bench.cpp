// Settling a 20-line repair card on an encrypted account set whose archive `ljsh`
// holds RECORDS records and stock `ljkc` 50,000, from the settlement dialog's OK to
// done, against copying the encrypted files of the six tables it writes. Prints
// seconds (best of a few runs) and where a settlement's time goes.
//
//   settle_bench [RECORDS]     (500000 unless given)
#include "data/data_set.h"
#include "foxdb/transaction.h"
#include "platform/wx_text.h"
#include "settle_tables.h"
#include "work/repair_settlement.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

using bench::Clock;
using bench::Since;

namespace {

constexpr uint32_t kStock = 50000;
constexpr int kRuns = 3;
const std::vector<std::string> kTables = {"ljsh", "ljkc", "ljth", "zyxm", "wlzm", "kzk"};

class NoQuestions : public work::TakeOutQuestions {
public:
    Answer Ask(const wxString& question, bool) override {
        std::fprintf(stderr, "unexpected question: %s\n", question.utf8_str().data());
        return Yes;
    }
    bool ChooseBin(const wxString&, wxString*) override { return false; }
    void Tell(const wxString&) override {}
};

// The engine's steps of one settlement with their times, summed by step name.
std::vector<std::pair<std::string, Clock::time_point>> g_steps;
void RecordStep(const char* step) {
    g_steps.emplace_back(step, Clock::now());
}

void FillCard(const std::string& folder) {
    bench::MakeCatalogTable(folder, "zyxm", 0);
    foxdb::TableEdit edit(foxdb::FindTableFile(folder, "zyxm"));
    auto field = [&](const char* name) { return edit.Table().FieldIndex(name); };
    const auto text = [](const char* utf8) { return platform::Utf8ToGbk(utf8); };
    std::vector<foxdb::Value> row(edit.Table().Fields().size(), foxdb::Null{});
    row[field("客户")] = text("京A12345");
    row[field("flag")] = std::string("W");
    row[field("单位")] = std::string("NO");
    row[field("小计")] = 42000.0;
    row[field("no")] = int64_t(1);
    edit.Append(row);
    for (int i = 1; i <= 20; ++i) {
        std::vector<foxdb::Value> line(row.size(), foxdb::Null{});
        line[field("客户")] = text("京A12345");
        line[field("flag")] = std::string("W");
        line[field("数量")] = int64_t(2);
        line[field("单价")] = 35.0;
        line[field("no")] = int64_t(i + 1);
        if (i <= 10) {
            line[field("项目名称")] = text("工时") + std::to_string(i);
            line[field("WX")] = std::string("W");
            line[field("手扣")] = int64_t(90);
        } else {
            line[field("项目名称")] = text("配件") + std::to_string(i * 997);
            line[field("编号")] = "P" + std::to_string(i * 997);
            line[field("货位")] = std::string("B1");
            line[field("折扣")] = int64_t(85);
        }
        edit.Append(line);
    }
    edit.Commit();
}

} // namespace

int main(int argc, char** argv) {
    const uint32_t archive = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 500000;
    const std::string root = bench::StartProgramFolder("settle_bench");
    const std::string set = root + "/home/Data";
    CMainFrameData frame;
    bench::MakeSettleSet(set, archive, kStock, FillCard, frame);

    double bestSettle = 1e9, bestCopy = 1e9;
    std::map<std::string, double> stepTimes;
    for (int run = 0; run < kRuns; ++run) {
        // The card as the page holds it, open again after the last run.
        CDataSet().UpdateWhere("zyxm", U("单位"), "NO", "no=1");
        CSettingFiles::WriteSettingFile("M_DJH", "");
        auto lines = std::make_shared<ado::Recordset>();
        CDataSet().OpenInto(U("select 项目名称,编号,单价,单位,数量,货位,小计,作业人员,备注,故障,"
                              "客户,车型,厂牌,折扣,手扣,零售价,批发价,进价,其它,WX,flag,no from "
                              "zyxm where flag like '%W%'"),
                            lines);
        wxString sheetNumber;
        NoQuestions questions;
        work::RepairSettlement settlement(lines, U("京A12345"), sheetNumber, questions);
        if (settlement.Prepare() != work::RepairSettlement::Ready) return 1;
        g_steps.clear();
        foxdb::SetTransactionHook(RecordStep);
        const auto start = Clock::now();
        g_steps.emplace_back("start", start);
        const auto result = settlement.Run(work::SettleOffsets(), 0);
        const double took = Since(start);
        g_steps.emplace_back("done", Clock::now());
        foxdb::SetTransactionHook(nullptr);
        if (result != work::RepairSettlement::Done) return 1;
        if (took < bestSettle) {
            bestSettle = took;
            stepTimes.clear();
            for (size_t i = 1; i < g_steps.size(); ++i)
                stepTimes[g_steps[i - 1].first + " -> " + g_steps[i].first] +=
                    std::chrono::duration<double>(g_steps[i].second - g_steps[i - 1].second)
                        .count();
        }

        bestCopy = std::min(bestCopy, bench::CopyTables(set, root, kTables));
    }
    // The floor of any change to the archive while it rests encrypted as one file.
    auto cryptStart = Clock::now();
    CTableCrypt::DecryptTable("ljsh");
    const double decrypt = Since(cryptStart);
    cryptStart = Clock::now();
    CTableCrypt::EncryptTable("ljsh");
    const double encrypt = Since(cryptStart);
    std::printf("settle a 20-line card:             %.3f s\n", bestSettle);
    std::printf("copy the six encrypted table files: %.3f s\n", bestCopy);
    std::printf("ratio:                              %.2f\n", bestSettle / bestCopy);
    std::printf("of which at least: decrypt ljsh %.3f s + encrypt it back %.3f s\n", decrypt,
                encrypt);
    std::printf("where the settlement's time goes (engine steps; 'write' is a table's\n"
                "rewrite, 'encrypt' an encryption back, the gaps the data store's work):\n");
    for (const auto& [step, seconds] : stepTimes)
        std::printf("  %-28s %.3f s\n", step.c_str(), seconds);
    std::filesystem::remove_all(root);
    return 0;
}
