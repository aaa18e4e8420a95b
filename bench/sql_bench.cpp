// The statement engine against native SQLite on a generated account set:
// ljsh 500,000 rows (or as many as given), ljkc 50,000, gk 20,000. Each query runs on
// the DBF tables through foxdb::Database and, with the same rows, on SQLite's own
// tables; the ratio of the two times is printed, of the repeated runs and of the
// first, which includes loading the tables (aim: within 1.5x). Then each runs five
// times more through qvsql against the sqlite3 shell, as does a one-record UPDATE
// (the shell's table with an index on no; aim: within 2x); the medians of wall time
// and of CPU time (user and system) are printed with their ratios.
//
//   sql_bench [FOLDER [LJSH-RECORDS]]   (default: a fresh folder under /tmp, removed
//                                        afterwards; 500000)
//
// A FOLDER that holds the set of an earlier run of the same size (its native.sqlite
// says so) is used as it is, without generating it again.
#include "proc_status.h"
#include "twin_tables.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <random>
#include <sqlite3.h>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace bench;
using foxdb::Value;

const char* const kItems[] = {"机油", "刹车片", "火花塞", "轮胎", "空滤", "雨刮", "大灯", "电瓶"};
const char* const kStaff[] = {"王五", "赵六", "孙七", "周八"};
const char* const kBins[] = {"一库", "二库", "三库"};

// The rows of ljsh in the shell's copy of an earlier run, or -1 when there is none.
long long EarlierSet(const std::string& shellDb) {
    if (!std::filesystem::exists(shellDb)) return -1;
    sqlite3* db = nullptr;
    long long rows = -1;
    if (sqlite3_open_v2(shellDb.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, "select count(*) from ljsh", -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW)
            rows = sqlite3_column_int64(st, 0);
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return rows;
}

double ChildrenCpuMs() {
    rusage use{};
    getrusage(RUSAGE_CHILDREN, &use);
    return (use.ru_utime.tv_sec + use.ru_stime.tv_sec) * 1e3 +
           (use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e3;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    bool own = false;
    const std::string folder = FolderArgument(argc, argv, "sql_bench", &own);
    const int ljsh = argc > 2 ? std::max(1, std::atoi(argv[2])) : kLjsh;
    sqlite3* native = nullptr;
    sqlite3_open(":memory:", &native);

    const std::string shellDb = folder + "/native.sqlite";
    const bool reuse = EarlierSet(shellDb) == ljsh;
    std::mt19937 rng(42);
    const int32_t firstDay = foxdb::JulianDayFromCivil(2023, 1, 1);
    auto t0 = std::chrono::steady_clock::now();
    if (reuse) {
        // The shell's copy holds the same rows; its index on no is the shell's alone.
        sqlite3* saved = nullptr;
        sqlite3_open_v2(shellDb.c_str(), &saved, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_backup* copy = sqlite3_backup_init(native, "main", saved, "main");
        sqlite3_backup_step(copy, -1);
        sqlite3_backup_finish(copy);
        sqlite3_close(saved);
        sqlite3_exec(native, "drop index ljsh_no", nullptr, nullptr, nullptr);
        std::printf("reusing the set of ljsh %d rows in %s\n", ljsh, folder.c_str());
    } else {
        FillTwinTables(folder, native, "gk", kGk, [&](int i) {
            return Row{{"车牌号码", Plate(i)},
                       {"车型", std::string(kModels[i % 8])},
                       {"车主姓名", "车主" + std::to_string(i)},
                       {"no", int64_t{i + 1}}};
        });
        FillTwinTables(folder, native, "ljkc", kLjkc, [&](int i) {
            return Row{{"零件名称", std::string(kItems[i % 8])},
                       {"编号", PartNo(i)},
                       {"车型", std::string(kModels[i % 8])},
                       {"数量", int64_t{i % 50}},
                       {"零售价", double(10 + i % 90)},
                       {"货位", std::string(kBins[i % 3])},
                       {"no", int64_t{i + 1}}};
        });
        FillTwinTables(folder, native, "ljsh", ljsh, [&](int i) {
            return Row{{"单据号", "D" + std::to_string(1000000 + i / 3)},
                       {"车型", std::string(kModels[rng() % 8])},
                       {"项目名称", std::string(kItems[rng() % 8])},
                       {"编号", PartNo(static_cast<int>(rng() % kLjkc))},
                       {"单价", double(rng() % 50000) / 100},
                       {"数量", int64_t(1 + rng() % 5)},
                       {"日期", foxdb::Date{firstDay + static_cast<int32_t>(rng() % 730)}},
                       {"客户", Plate(static_cast<int>(rng() % (kGk + kGk / 10)))},
                       {"业务", std::string(kStaff[rng() % 4])},
                       {"flag", std::string(rng() % 2 ? "W" : "P")},
                       {"no", int64_t{i + 1}}};
        });
        std::printf("generated ljsh %d, ljkc %d, gk %d rows in %.1f s\n", ljsh, kLjkc, kGk,
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }

    const std::string from = std::to_string(foxdb::JulianDayFromCivil(2024, 3, 1));
    const std::string to = std::to_string(foxdb::JulianDayFromCivil(2024, 3, 31));
    struct Case {
        const char* name;
        std::string ours, native;
    } cases[] = {
        // Before the join below builds an index on 客户: a scan.
        {"equality with no match", "select * from ljsh where 客户='***Last***'",
         "select * from ljsh where 客户='***Last***'"},
        {"filtered select",
         "select 客户,项目名称,单价,数量,日期 from ljsh where 日期>={^2024-03-01} and "
         "日期<={^2024-03-31} and flag='W' and 项目名称 like '%油%'",
         "select 客户,项目名称,单价,数量,日期 from ljsh where 日期>=" + from + " and 日期<=" + to +
             " and flag='W' and 项目名称 like '%油%'"},
        {"group by, sum, comma join",
         "select gk.车型,sum(单价*数量) as 金额,count(*) as 次数 from ljsh,gk where 车牌号码=客户 "
         "group by gk.车型",
         "select gk.车型,sum(单价*数量) as 金额,count(*) as 次数 from ljsh,gk where 车牌号码=客户 "
         "group by gk.车型 order by gk.车型"},
        {"in subquery",
         "select 单据号,编号,数量 from ljsh where 编号 in(select 编号 from ljkc where 货位='一库' "
         "and "
         "数量>45)",
         "select 单据号,编号,数量 from ljsh where 编号 in(select 编号 from ljkc where 货位='一库' "
         "and "
         "数量>45)"},
        {"count(*)", "select count(*) from ljsh", "select count(*) from ljsh"},
        {"order by", "select 单据号,日期,单价 from ljsh where flag='W' order by 日期,单价",
         "select 单据号,日期,单价 from ljsh where flag='W' order by 日期,单价"},
        {"group by", "select 业务,count(*),sum(数量) from ljsh group by 业务",
         "select 业务,count(*),sum(数量) from ljsh group by 业务 order by 业务"},
    };

    // What a count(*) costs in memory on a fresh engine: the program's own memory
    // (anonymous) against the file's pages the mapping shows (the system's cache).
    {
        const long anon = StatusKb("RssAnon:"), file = StatusKb("RssFile:");
        foxdb::Database fresh(folder);
        fresh.Query("select count(*) from ljsh");
        std::printf("count(*) over ljsh (%.0f MB): own memory %+.1f MB, file pages %+.1f MB "
                    "(aim: own memory under a quarter of the file)\n",
                    double(std::filesystem::file_size(foxdb::FindTableFile(folder, "ljsh"))) / 1e6,
                    double(StatusKb("RssAnon:") - anon) / 1024,
                    double(StatusKb("RssFile:") - file) / 1024);
    }

    foxdb::Database db(folder);
    std::printf("%-28s %10s %10s %10s %8s %8s %8s\n", "query", "ours ms", "first ms", "native ms",
                "rows", "ratio", "first");
    for (const Case& c : cases) {
        size_t ours = 0, theirs = 0;
        double first = Millis([&] { return db.Query(c.ours).rows.size(); }, ours);
        std::vector<double> a, b;
        for (int i = 0; i < 3; ++i) {
            a.push_back(Millis([&] { return db.Query(c.ours).rows.size(); }, ours));
            b.push_back(Millis([&] { return NativeRows(native, c.native); }, theirs));
        }
        std::sort(a.begin(), a.end());
        std::sort(b.begin(), b.end());
        std::printf("%-28s %10.1f %10.1f %10.1f %8zu %8.2f %8.2f%s\n", c.name, a[1], first, b[1],
                    ours, a[1] / b[1], first / b[1],
                    ours == theirs ? "" : "  (row counts differ!)");
    }

    // One-shot runs of the two command-line tools, process start and loading included.
    if (!reuse) {
        std::filesystem::remove(shellDb);
        sqlite3_exec(native, ("VACUUM INTO '" + shellDb + "'").c_str(), nullptr, nullptr, nullptr);
        // The shell answers the UPDATE's record through an index, as qvsql does through
        // the table's .cdx.
        sqlite3* shell = nullptr;
        sqlite3_open(shellDb.c_str(), &shell);
        sqlite3_exec(shell, "create index ljsh_no on ljsh(no)", nullptr, nullptr, nullptr);
        sqlite3_close(shell);
    }
    // Each run of the UPDATE gives the record another value, so that both tools write.
    const std::string oneRecord =
        "update ljsh set 数量=%RUN% where no=" + std::to_string(ljsh / 2 + 1);
    std::vector<Case> oneShots(std::begin(cases), std::end(cases));
    oneShots.push_back({"one-record update", oneRecord, oneRecord});
    auto forRun = [](std::string statement, int run) {
        const size_t at = statement.find("%RUN%");
        if (at != std::string::npos) statement.replace(at, 5, std::to_string(10 + run));
        return statement;
    };
    // qvsql is built beside this program; without it the figures would mean nothing.
    const std::string qvsql =
        (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "qvsql").string();
    bool failed = ::access(qvsql.c_str(), X_OK) != 0;
    if (failed) std::fprintf(stderr, "sql_bench: %s is missing; build it\n", qvsql.c_str());
    if (!failed)
        std::printf("\n%-28s %10s %10s %8s %10s %10s %8s\n", "one-shot (median of 5)", "qvsql ms",
                    "sqlite3 ms", "ratio", "qvsql cpu", "sqlite3 cpu", "ratio");
    for (const Case& c : oneShots) {
        // Wall and CPU milliseconds of one run of a command.
        auto run = [&failed](const std::string& command, std::vector<double>& wall,
                             std::vector<double>& cpu) {
            if (failed) return;
            int status = 0;
            size_t ignored = 0;
            const double cpuBefore = ChildrenCpuMs();
            wall.push_back(Millis(
                [&] {
                    status = std::system((command + " >/dev/null").c_str());
                    return size_t(0);
                },
                ignored));
            cpu.push_back(ChildrenCpuMs() - cpuBefore);
            if (status != 0) {
                std::fprintf(stderr, "sql_bench: failed (status %d): %s\n", status,
                             command.c_str());
                failed = true;
            }
        };
        std::vector<double> ours, theirs, oursCpu, theirsCpu;
        for (int i = 0; i < 5; ++i) {
            run("'" + qvsql + "' '" + folder + "' \"" + forRun(c.ours, i) + "\"", ours, oursCpu);
            run("sqlite3 '" + shellDb + "' \"" + forRun(c.native, i) + "\"", theirs, theirsCpu);
        }
        if (failed) break;
        std::printf("%-28s %10.1f %10.1f %8.2f %10.1f %10.1f %8.2f\n", c.name, Median(ours),
                    Median(theirs), Median(ours) / Median(theirs), Median(oursCpu),
                    Median(theirsCpu), Median(oursCpu) / std::max(0.1, Median(theirsCpu)));
    }
    sqlite3_close(native);
    if (own) std::filesystem::remove_all(folder);
    return failed ? 1 : 0;
}
