// The parts counter on an encrypted account set whose sales archive `ljsh` holds
// 500,000 records, stock `ljkc` 50,000 and the open tickets `zyxm` 200 customers of
// ten lines each: settling one ticket from the settlement dialog's OK to done, and
// opening every ticket's lines through the sheet's one recordset as the pages load
// them, each against copying the encrypted files of the tables it touches. Prints
// seconds, best of a few runs.
#include "data/data_set.h"
#include "foxdb/index_trust.h"
#include "parts/sales_settlement.h"
#include "platform/wx_text.h"
#include "settle_tables.h"

#include <algorithm>
#include <cstdio>

using bench::Clock;
using bench::Since;

namespace {

constexpr uint32_t kArchive = 500000;
constexpr uint32_t kStock = 50000;
constexpr int kTickets = 200;
constexpr int kLines = 10;
constexpr int kRuns = 3;

const char* const kSheetLines =
    "select 车型,项目名称,编号,单价,成交价,单位,数量,货位,厂牌,小计,作业人员 as 业务,备注,折扣,"
    "客户,零售价,批发价,进价,代理价,故障,其它,WX,flag,no from zyxm where flag like '%P%'";

class NoQuestions : public work::TakeOutQuestions {
public:
    Answer Ask(const wxString& question, bool) override {
        std::fprintf(stderr, "unexpected question: %s\n", question.utf8_str().data());
        return Yes;
    }
    bool ChooseBin(const wxString&, wxString*) override { return false; }
    void Tell(const wxString&) override {}
};

std::string Customer(int t) {
    return "客户" + std::to_string(t);
}

// Each ticket a header and ten lines of parts kept in bin B1.
void FillTickets(const std::string& folder) {
    bench::MakeCatalogTable(folder, "zyxm", 0);
    foxdb::TableEdit edit(foxdb::FindTableFile(folder, "zyxm"));
    auto field = [&](const char* name) { return edit.Table().FieldIndex(name); };
    const size_t width = edit.Table().Fields().size();
    int64_t no = 0;
    for (int t = 1; t <= kTickets; ++t) {
        const std::string customer = platform::Utf8ToGbk(Customer(t));
        std::vector<foxdb::Value> header(width, foxdb::Null{});
        header[field("客户")] = customer;
        header[field("flag")] = std::string("P");
        header[field("no")] = ++no;
        edit.Append(header);
        for (int i = 1; i <= kLines; ++i) {
            std::vector<foxdb::Value> line(width, foxdb::Null{});
            const int part = (t * kLines + i) * 7 % kStock + 1;
            line[field("客户")] = customer;
            line[field("flag")] = std::string("P");
            line[field("项目名称")] = platform::Utf8ToGbk("配件") + std::to_string(part);
            line[field("编号")] = "P" + std::to_string(part);
            line[field("货位")] = std::string("B1");
            line[field("数量")] = int64_t(2);
            line[field("单价")] = 12.5;
            line[field("折扣")] = int64_t(90);
            line[field("no")] = ++no;
            edit.Append(line);
        }
    }
    edit.Commit();
}

} // namespace

int main() {
    const std::string root = bench::StartProgramFolder("counter_bench");
    const std::string set = root + "/home/Data";
    CMainFrameData frame;
    bench::MakeSettleSet(set, kArchive, kStock, FillTickets, frame);

    std::vector<double> settles;
    double bestSettle = 1e9, bestSettleCopy = 1e9, bestOpen = 1e9, bestOpenCopy = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        // The sheet: every open line in one recordset, each page filtered to its ticket.
        auto start = Clock::now();
        auto lines = std::make_shared<ado::Recordset>();
        CDataSet().OpenInto(U(kSheetLines), lines);
        long shown = 0;
        for (int t = 1; t <= kTickets; ++t) {
            lines->PutFilter(CSqlText::Criterion(U("客户"), U(Customer(t).c_str())).utf8_string());
            for (lines->MoveFirst(); !lines->EndOfFile(); lines->MoveNext())
                shown += !lines->Fields().Item("项目名称").Value().IsNull();
        }
        bestOpen = std::min(bestOpen, Since(start));
        if (shown != kTickets * kLines) return 1;
        bestOpenCopy = std::min(bestOpenCopy, bench::CopyTables(set, root, {"zyxm"}));

        // One ticket settled, open again for the next run. The second run is the
        // first settlement after a new start: what the program knows of its indexes
        // is only what it kept in the system folder.
        if (run == 1) {
            foxdb::ForgetIndexPairs();
            SetAccountSet(wxString());
        }
        const int t = 1 + run;
        lines->PutFilter(CSqlText::Criterion(U("客户"), U(Customer(t).c_str())).utf8_string());
        CSettingFiles::WriteSettingFile("M_DJH", "");
        wxString sheetNumber;
        NoQuestions questions;
        parts::SalesSettlement settlement(lines, U(Customer(t).c_str()), sheetNumber, questions);
        if (settlement.Prepare() != parts::SalesSettlement::Ready) return 1;
        start = Clock::now();
        if (settlement.Run(0) != parts::SalesSettlement::Done) return 1;
        settles.push_back(Since(start));
        bestSettle = std::min(bestSettle, settles.back());
        bestSettleCopy =
            std::min(bestSettleCopy,
                     bench::CopyTables(set, root, {"ljsh", "ljkc", "ljth", "zyxm", "wlzm", "kzk"}));
    }
    std::printf("settle a 10-line ticket:                 %.3f s\n", bestSettle);
    std::printf("copy the six encrypted table files:      %.3f s\n", bestSettleCopy);
    std::printf("ratio:                                   %.2f\n", bestSettle / bestSettleCopy);
    std::printf("  the first on the new set:              %.3f s\n", settles[0]);
    std::printf("  the first after a new start:           %.3f s\n", settles[1]);
    std::printf("open %d tickets' lines (one recordset): %.2f ms\n", kTickets, bestOpen * 1000);
    std::printf("copy the encrypted zyxm:                 %.2f ms\n", bestOpenCopy * 1000);
    std::printf("ratio:                                   %.2f\n", bestOpen / bestOpenCopy);
    std::filesystem::remove_all(root);
    return 0;
}
