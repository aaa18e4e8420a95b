// The statistics of every mode and form on a generated account set (ljsh 500,000
// rows, ljkc 50,000, gk 20,000, the other tables smaller) for the month of March
// 2024: the engine's statements (the main one, those whose rows it appends, and the
// stock totals of the stock-taking summaries) run on the DBF tables through
// foxdb::Database and, with the same rows, on SQLite's own tables; the ratio of the
// two times is printed (aim: under 2x, no mode above 5 s).
//
//   statistics_bench [FOLDER]   (default: a fresh folder under /tmp, removed afterwards)
#include "office/statistics_engine.h"
#include "twin_tables.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <regex>
#include <sqlite3.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace bench;
using foxdb::Value;

const char* const kItems[] = {"机油", "刹车片", "火花塞", "轮胎",
                              "空滤", "雨刮",   "大灯",   "换机油工时"};
const char* const kStaff[] = {"王五", "赵六", "孙七", "周八", "临时工"};
const char* const kSuppliers[] = {"北方配件", "南方汽配", "东风供应", "长城汽配"};
const char* const kKinds[] = {"应收款", "应付款", "预收款", "预付款"};

// The statement for SQLite: date literals become day numbers.
std::string Native(const std::string& statement) {
    static const std::regex date(R"(\{\^(\d{4})-(\d{2})-(\d{2})\})");
    std::string out;
    auto begin = std::sregex_iterator(statement.begin(), statement.end(), date);
    std::size_t last = 0;
    for (auto it = begin; it != std::sregex_iterator(); ++it) {
        out += statement.substr(last, it->position() - last);
        out += std::to_string(foxdb::JulianDayFromCivil(std::stoi((*it)[1]), std::stoi((*it)[2]),
                                                        std::stoi((*it)[3])));
        last = it->position() + it->length();
    }
    return out + statement.substr(last);
}

} // namespace

int main(int argc, char** argv) {
    bool own = false;
    const std::string folder = FolderArgument(argc, argv, "statistics_bench", &own);
    sqlite3* native = nullptr;
    sqlite3_open(":memory:", &native);
    std::mt19937 rng(42);
    const int32_t firstDay = foxdb::JulianDayFromCivil(2023, 1, 1);
    auto day = [&] { return foxdb::Date{firstDay + static_cast<int32_t>(rng() % 730)}; };
    auto t0 = std::chrono::steady_clock::now();
    FillTwinTables(folder, native, "gk", kGk, [&](int i) {
        return Row{{"车牌号码", Plate(i)},
                   {"车型", std::string(kModels[i % 8])},
                   {"结算单位", std::string(i % 50 == 0 ? "运输公司" : "")},
                   {"no", int64_t{i + 1}}};
    });
    FillTwinTables(folder, native, "ljkc", kLjkc, [&](int i) {
        // Every tenth part lies in a second bin.
        const int part = i - i / 10;
        return Row{{"零件名称", std::string(kItems[part % 7])},
                   {"编号", PartNo(part)},
                   {"车型", std::string(kModels[part % 8])},
                   {"数量", int64_t{i % 50}},
                   {"货位", std::string(i % 10 == 9 ? "二库" : "一库")},
                   {"no", int64_t{i + 1}}};
    });
    FillTwinTables(folder, native, "ljsh", kLjsh, [&](int i) {
        const bool labour = rng() % 8 == 7;
        const int part = static_cast<int>(rng() % 46000);
        const double price = double(rng() % 50000) / 100;
        Row row{{"单据号", "D" + std::to_string(1000000 + i / 3)},
                {"车型", std::string(kModels[part % 8])},
                {"项目名称", std::string(labour ? kItems[7] : kItems[part % 7])},
                {"编号", labour ? std::string() : PartNo(part)},
                {"厂牌", std::string(labour ? "维修项目" : "原厂")},
                {"单价", price},
                {"进价", price * 0.6},
                {"数量", int64_t(1 + rng() % 5)},
                {"日期", day()},
                {"客户", Plate(static_cast<int>(rng() % (kGk + kGk / 10)))},
                {"flag", std::string(rng() % 2 ? "W" : "P")},
                {"no", int64_t{i + 1}}};
        if (const int who = int(rng() % 6); who < 5)
            row.push_back({"业务", std::string(kStaff[who])});
        return row;
    });
    for (const char* code : {"jhda", "dhd"})
        FillTwinTables(folder, native, code, 50000, [&](int i) {
            const int part = static_cast<int>(rng() % 46000);
            return Row{{"定货单", "O" + std::to_string(i / 20)},
                       {"供应商", std::string(kSuppliers[rng() % 4])},
                       {"零件名称", std::string(kItems[part % 7])},
                       {"编号", PartNo(part)},
                       {"进价", double(rng() % 30000) / 100},
                       {"数量", int64_t(1 + rng() % 9)},
                       {"日期", day()},
                       {"no", int64_t{i + 1}}};
        });
    FillTwinTables(folder, native, "wlzm", 20000, [&](int i) {
        return Row{{"单位", Plate(static_cast<int>(rng() % kGk))},
                   {"类别", std::string(kKinds[rng() % 4])},
                   {"金额", double(rng() % 100000) / 100},
                   {"日期", day()},
                   {"no", int64_t{i + 1}}};
    });
    FillTwinTables(folder, native, "ygk", 4, [&](int i) {
        return Row{{"部门", std::string(i % 2 ? "维修部" : "配件部")},
                   {"姓名", std::string(kStaff[i])},
                   {"no", int64_t{i + 1}}};
    });
    FillTwinTables(folder, native, "wxxm", 1, [&](int) {
        return Row{{"项目名称", std::string(kItems[7])}, {"no", int64_t{1}}};
    });
    FillTwinTables(folder, native, "hyxm", 2, [&](int i) {
        return Row{{"卡类别", std::string("金卡")},
                   {"项目名称", std::string(kItems[i == 0 ? 0 : 7])},
                   {"no", int64_t{i + 1}}};
    });
    FillTwinTables(folder, native, "hyzl", 2000, [&](int i) {
        return Row{{"卡类别", std::string("金卡")},
                   {"车牌号码", Plate(i * 10)},
                   {"办卡日期", foxdb::Date{firstDay}},
                   {"有效期", foxdb::Date{firstDay + 1000}},
                   {"no", int64_t{i + 1}}};
    });
    // The statements name their columns bare; SQLite finds them through indexes here
    // as the engine builds its own.
    sqlite3_exec(native,
                 "CREATE INDEX ljkc_part ON ljkc(\"编号\"); CREATE INDEX gk_plate ON "
                 "gk(\"车牌号码\"); CREATE INDEX ygk_name ON ygk(\"姓名\");",
                 nullptr, nullptr, nullptr);
    std::printf("generated ljsh %d, ljkc %d, gk %d rows in %.1f s\n", kLjsh, kLjkc, kGk,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());

    foxdb::Database db(folder);
    std::printf("%-6s %-8s %10s %10s %8s %8s\n", "mode", "form", "ours ms", "native ms", "rows",
                "ratio");
    double worst = 0;
    for (int mode : CStatisticsEngine::kModes)
        for (bool summary : {true, false}) {
            StatisticsRequest request;
            request.mode = mode;
            request.summary = summary;
            request.from = "2024-03-01";
            request.to = "2024-03-31";
            StatisticsFacts facts;
            facts.departments = true;
            const StatisticsPlan plan = CStatisticsEngine::Plan(request, facts);
            std::vector<std::string> statements{plan.statement.utf8_string()};
            for (const wxString& more : plan.appended)
                statements.push_back(more.utf8_string());
            if ((mode == 7 || mode == 8) && summary)
                statements.push_back(
                    "select 车型,零件名称,编号,厂牌,sum(数量) as 库存量,no from ljkc group by "
                    "编号,零件名称,车型");
            std::vector<double> ours, theirs;
            size_t oursRows = 0, theirRows = 0;
            for (int round = 0; round < 3; ++round) {
                ours.push_back(Millis(
                    [&] {
                        size_t rows = 0;
                        for (const std::string& s : statements)
                            rows += db.Query(s).rows.size();
                        return rows;
                    },
                    oursRows));
                theirs.push_back(Millis(
                    [&] {
                        size_t rows = 0;
                        for (const std::string& s : statements)
                            rows += NativeRows(native, Native(s));
                        return rows;
                    },
                    theirRows));
            }
            std::sort(ours.begin(), ours.end());
            std::sort(theirs.begin(), theirs.end());
            worst = std::max(worst, ours[1]);
            std::printf("%-6d %-8s %10.1f %10.1f %8zu %8.2f%s\n", mode,
                        summary ? "summary" : "detail", ours[1], theirs[1], oursRows,
                        ours[1] / std::max(theirs[1], 0.001),
                        oursRows == theirRows ? "" : "  (row counts differ!)");
        }
    std::printf("slowest mode: %.1f ms\n", worst);
    sqlite3_close(native);
    if (own) std::filesystem::remove_all(folder);
    return 0;
}
