// Full scan of a 500,000-record table in the layout of ljsh, decoding every field,
// against a plain read of the same file. Prints the times and their ratio.
#include "bench_tables.h"
#include "foxdb/dbf_table.h"
#include "platform/files.h"
#include "platform/gbk.h"

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

// Best of three runs of `run`, in seconds.
template <typename Run> double Best(Run run) {
    double best = 1e9;
    for (int i = 0; i < 3; ++i) {
        auto start = Clock::now();
        run();
        best = std::min(best, Seconds(start));
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    const uint32_t records = argc > 1 ? static_cast<uint32_t>(std::atol(argv[1])) : 500000;
    const std::string folder = bench::MakeFolder("dbf_bench");
    auto start = Clock::now();
    const std::string path = bench::MakeCatalogTable(folder, "ljsh", records, true);
    std::printf("built %u records in %.2f s (%lld bytes)\n", records, Seconds(start),
                platform::FileSize(path));

    std::string bytes;
    const double read = Best([&] { platform::ReadFileBytes(path, bytes); });
    size_t checksum = 0;
    const double scan = Best([&] {
        auto table = foxdb::DbfTable::Open(path);
        std::vector<foxdb::Value> values;
        for (uint32_t r = 1; r <= table->RecordCount(); ++r) {
            if (table->IsDeleted(r)) continue;
            table->ReadRecord(r, values);
            checksum += values.size();
        }
    });
    const double raw = Best([&] {
        auto table = foxdb::DbfTable::Open(path);
        const int fields = static_cast<int>(table->Fields().size());
        for (uint32_t r = 1; r <= table->RecordCount(); ++r)
            for (int f = 0; f < fields; ++f)
                checksum += table->RawField(r, f).size();
    });
    std::printf("plain read of the file      %8.3f s\n", read);
    std::printf("open + decode every field   %8.3f s  (%.1f x the plain read)\n", scan,
                scan / read);
    std::printf("open + raw bytes of fields  %8.3f s  (%.1f x the plain read)\n", raw, raw / read);
    // What one changed record costs: the whole table and its index are rewritten.
    const double update = Best([&] {
        foxdb::TableEdit edit(path);
        edit.Update(records / 2, 0, platform::Utf8ToGbk("改"));
        edit.Commit();
    });
    std::printf("open + update one record    %8.3f s\n", update);
    std::printf("(checksum %zu)\n", checksum);
    std::filesystem::remove_all(folder);
    return 0;
}
