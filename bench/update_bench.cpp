// A one-record UPDATE of a RECORDS-record ljsh (500,000 unless given) against SQLite on
// a file with an index on the same key, and the save of that change to an encrypted
// table (the update, then the encryption of the working copy over the .dwf). Prints
// milliseconds and ratios.
//
//   update_bench [RECORDS]   (a fresh folder under /tmp, removed afterwards)
#include "data/data_folders.h"
#include "data/table_crypt.h"
#include "foxdb/index_trust.h"
#include "foxdb/table_files.h"
#include "platform/paths.h"
#include "platform/program_lock.h"
#include "twin_tables.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <unistd.h>

namespace {

using namespace bench;

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Exec(sqlite3* db, const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "native: %s\n", error ? error : "?");
        std::exit(1);
    }
}

} // namespace

int main(int argc, char** argv) {
    const int records = argc > 1 ? std::max(1, std::atoi(argv[1])) : kLjsh;
    char name[] = "/tmp/qv_update_bench_XXXXXX";
    const std::string root = ::mkdtemp(name);
    const std::string sysdir = root + "/sys", folder = root + "/Data";
    std::filesystem::create_directories(sysdir + "/Data/Data");
    std::filesystem::create_directories(folder);
    std::filesystem::permissions(sysdir, std::filesystem::perms::owner_all); // private, or refused
    ::setenv("QV_SYSDIR", sysdir.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);

    sqlite3* native = nullptr;
    sqlite3_open((root + "/native.db").c_str(), &native);
    std::mt19937 rng(42);
    FillTwinTables(folder, native, "ljsh", records, [&](int i) {
        return Row{{"单据号", "D" + std::to_string(1000000 + i / 3)},
                   {"项目名称", std::string(kModels[rng() % 8])},
                   {"编号", PartNo(static_cast<int>(rng() % kLjkc))},
                   {"单价", double(rng() % 50000) / 100},
                   {"数量", int64_t(1 + rng() % 5)},
                   {"客户", Plate(static_cast<int>(rng() % kGk))},
                   {"no", int64_t{i + 1}}};
    });
    Exec(native, "CREATE INDEX ljsh_no ON ljsh(no)");
    const std::string table = foxdb::FindTableFile(folder, "ljsh");
    std::printf("ljsh %d records, %.0f MB\n", records,
                double(std::filesystem::file_size(table)) / 1e6);

    foxdb::Database db(folder);
    std::vector<double> ours, theirs, saves;
    for (int i = 0; i < 5; ++i) {
        const std::string set = "update ljsh set 数量=" + std::to_string(10 + i) +
                                " where no=" + std::to_string(1 + (i * 99991) % records);
        size_t rows = 0;
        ours.push_back(Millis([&] { return size_t(db.Execute(set)); }, rows));
        theirs.push_back(Millis(
            [&] {
                Exec(native, set);
                return size_t(sqlite3_changes(native));
            },
            rows));
    }
    // The encrypted store saves a change as the update of its working copy and the
    // encryption of that copy over the .dwf, which re-encrypts the blocks that
    // changed; the first save, with no .dwf yet, encrypts the whole table. The
    // working copy of each later save is decrypted as the data store does it (not
    // timed: the open's cost), beside the index that stays in the working folder.
    platform::SetProgramFolder(root);
    platform::LockProgramFolder(root, platform::FolderUse::kWrite); // no program beside the bench
    SetAccountSet(wxString());
    const std::string working = sysdir + "/Data/Data";
    for (const std::string& file : {table, foxdb::IndexPathFor(table)})
        std::filesystem::copy_file(file, working + "/" + file.substr(file.rfind('/') + 1),
                                   std::filesystem::copy_options::overwrite_existing);
    foxdb::Database workingDb(working);
    // The last save comes after a new start, which knows of the index only what the
    // program kept in the system folder.
    std::vector<double> wholes, encryptions, wholeEncryptions, restarted;
    for (int i = 0; i < 7; ++i) {
        if (i == 6) {
            foxdb::ForgetIndexPairs();
            SetAccountSet(wxString());
        }
        if (i > 0 && CTableCrypt::DecryptTable("ljsh") != 1) return 1;
        ::sync(); // as a decryption leaves its working copy: on disk
        size_t rows = 0;
        const double update = Millis(
            [&] {
                return size_t(
                    workingDb.Execute("update ljsh set 数量=3 where no=" + std::to_string(7 + i)));
            },
            rows);
        const double encrypt =
            Millis([&] { return size_t(CTableCrypt::EncryptTable("ljsh")); }, rows);
        if (i == 6) {
            restarted = {update + encrypt, update};
            continue;
        }
        (i == 0 ? wholes : saves).push_back(update + encrypt);
        (i == 0 ? wholeEncryptions : encryptions).push_back(encrypt);
    }
    std::printf("%-34s %10s %10s %8s\n", "", "ours ms", "native ms", "ratio");
    std::printf("%-34s %10.1f %10.1f %8.1f   (aim: 10)\n", "one-record UPDATE", Median(ours),
                Median(theirs), Median(ours) / Median(theirs));
    std::printf("%-34s %10.1f %10s %8s   (aim: under 200 ms)\n", "one-row save, encrypted",
                Median(saves), "", "");
    std::printf("%-34s %10.1f\n", "  of which the encryption", Median(encryptions));
    std::printf("%-34s %10.1f\n", "the same, encrypting it whole", wholes[0]);
    std::printf("%-34s %10.1f\n", "  of which the encryption", wholeEncryptions[0]);
    std::printf("%-34s %10.1f\n", "one-row save after a new start", restarted[0]);
    std::printf("%-34s %10.1f\n", "  of which the update", restarted[1]);
    sqlite3_close(native);
    std::filesystem::remove_all(root);
    return 0;
}
