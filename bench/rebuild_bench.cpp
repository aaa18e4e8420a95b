// RebuildAllTables on a generated, encrypted account set (ljsh with 500,000 rows by
// default, every other table of the list with a few thousand), against a plain copy
// of the same table files. Prints both times and their ratio.
#include "bench_tables.h"
#include "data/data_folders.h"
#include "data/main_frame_data.h"
#include "data/table_rebuild.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/program_lock.h"
#include "proc_status.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// Creates the table in folder from the catalogue and fills it with `records` rows.
void MakeTable(const std::string& folder, const wxString& code, uint32_t records) {
    bench::MakeCatalogTable(folder, code.utf8_string(), records);
}

} // namespace

int main(int argc, char** argv) {
    const uint32_t ljshRows = argc > 1 ? static_cast<uint32_t>(std::atol(argv[1])) : 500000;
    const uint32_t otherRows = argc > 2 ? static_cast<uint32_t>(std::atol(argv[2])) : 3000;
    char name[] = "/tmp/qv_rebuild_bench_XXXXXX";
    const std::string root = ::mkdtemp(name);
    const std::string home = root + "/home", sysdir = root + "/sys", copy = root + "/copy";
    std::filesystem::create_directories(home + "/Picture");
    std::filesystem::create_directories(home + "/Data");
    std::filesystem::create_directories(copy);
    ::setenv("QV_SYSDIR", sysdir.c_str(), 1);
    platform::SetProgramFolder(home);
    platform::LockProgramFolder(home, platform::FolderUse::kWrite); // no program beside the bench
    SetAccountSet(wxString());
    platform::CreateFolders(g_strDataPath.utf8_string());

    auto start = Clock::now();
    for (const wxString& code : RebuildTableCodes())
        MakeTable(home + "/Data", code, code == "ljsh" ? ljshRows : otherRows);
    for (const std::string& index : platform::ListFiles(home + "/Data", "*.cdx"))
        platform::MoveFile(home + "/Data/" + index, g_strDataPath.utf8_string() + index);
    CMainFrameData frame;
    frame.EncryptAllTables();
    long long bytes = 0;
    for (const std::string& file : platform::ListFiles(home + "/Data", "*.dwf"))
        bytes += platform::FileSize(home + "/Data/" + file);
    std::printf("account set: ljsh %u rows, %zu other tables of %u rows, %lld bytes encrypted "
                "(made in %.1f s)\n",
                ljshRows, RebuildTableCodes().size() - 1, otherRows, bytes, Seconds(start));

    start = Clock::now();
    for (const std::string& file : platform::ListFiles(home + "/Data", "*"))
        platform::CopyFileAtomic(home + "/Data/" + file, copy + "/" + file);
    const double plain = Seconds(start);

    long long largest = 0;
    for (const std::string& file : platform::ListFiles(home + "/Data", "*.dwf"))
        largest = std::max(largest, platform::FileSize(home + "/Data/" + file));
    bench::ResetPeakMemory();
    const long startKb = bench::StatusKb("VmRSS:");
    start = Clock::now();
    const bool rebuilt = RebuildAllTables();
    const double rebuild = Seconds(start);
    const long peakKb = bench::StatusKb("VmHWM:");

    std::printf("plain copy of the table files  %8.3f s\n", plain);
    std::printf("RebuildAllTables               %8.3f s  (%.0f x the plain copy)%s\n", rebuild,
                rebuild / plain, rebuilt ? "" : "  SOME TABLES FAILED");
    std::printf("peak memory while rebuilding   %8.0f MB above the %.0f MB before (largest table "
                "%.0f MB; aim: at most twice)\n",
                double(peakKb - startKb) / 1024, double(startKb) / 1024,
                double(largest) / (1 << 20));
    std::filesystem::remove_all(root);
    return rebuilt ? 0 : 1;
}
