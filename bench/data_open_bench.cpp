// What keeping no plain working copy between statements costs: opening a one-row
// query on an encrypted sales table (decrypt, query, drop the copy) against the same
// query while a working copy is kept, and a one-row batch save (decrypt, write,
// encrypt). Prints seconds, best of a few runs.
#include "data/data_folders.h"
#include "data/main_frame_data.h"
#include "data/table_catalog.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/program_lock.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace {

constexpr int kRows = 100000;
constexpr int kRuns = 5;

double Seconds(const std::function<void()>& run) {
    double best = 1e9;
    for (int i = 0; i < kRuns; ++i) {
        auto start = std::chrono::steady_clock::now();
        run();
        std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

} // namespace

int main() {
    char name[] = "/tmp/qv-data-bench-XXXXXX";
    std::string root = ::mkdtemp(name);
    std::string home = root + "/home";
    fs::create_directories(home + "/Picture");
    fs::create_directories(home + "/Data");
    ::setenv("QV_SYSDIR", (root + "/sys").c_str(), 1);
    platform::SetProgramFolder(home);
    platform::LockProgramFolder(home, platform::FolderUse::kWrite); // no program beside the bench
    SetAccountSet(wxString());
    fs::create_directories(g_strDataPath.utf8_string());

    CMainFrameData frame;
    const wxString table = "ljsh";
    {
        auto maker = std::make_shared<ado::Connection>();
        maker->Open(CDataSet::DefaultConnectionText().utf8_string());
        maker->Execute(CTableCatalog().GetCreateSql(table).utf8_string(), nullptr,
                       ado::adCmdText | ado::adExecuteNoRecords);
    }
    auto start = std::chrono::steady_clock::now();
    {
        CDataSet rows;
        rows.Open("select * from ljsh where no=0");
        auto rs = rows.m_pRecordset;
        for (int i = 1; i <= kRows; ++i) {
            rs->AddNew();
            rs->Fields().Item("单据号").PutValue(ado::Variant(std::to_string(20260000 + i)));
            rs->Fields().Item("项目名称").PutValue(ado::Variant("part " + std::to_string(i)));
            rs->Fields().Item("数量").PutValue(ado::Variant(i % 7));
            rs->Fields().Item("no").PutValue(ado::Variant(i));
        }
        if (rows.Save(rs) != 1) return 1;
    }
    std::chrono::duration<double> filled = std::chrono::steady_clock::now() - start;
    long long bytes = platform::FileSize(home + "/Data/ljsh.dwf");

    CDataSet data;
    double dropped = Seconds([&] { data.Open("select * from ljsh where no=1"); });
    CTableCrypt::DecryptTable(table);
    double kept = Seconds([&] { data.Open("select * from ljsh where no=1"); });
    CTableCrypt::EncryptTable(table);
    double save = Seconds([&] {
        data.Open("select * from ljsh where no=1");
        data.m_pRecordset->Fields().Item("数量").PutValue(ado::Variant(3));
        data.Save(data.m_pRecordset);
    });

    std::printf("ljsh: %d rows, %.1f MB encrypted, filled in %.2f s; best of %d runs\n", kRows,
                bytes / 1048576.0, filled.count(), kRuns);
    std::printf("open, plain copy dropped after  %.3f s\n", dropped);
    std::printf("open, plain copy kept           %.3f s\n", kept);
    std::printf("open + one-row save             %.3f s\n", save);
    platform::SetProgramFolder(std::string());
    fs::remove_all(root);
    return 0;
}
