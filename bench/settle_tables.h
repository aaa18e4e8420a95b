#pragma once
// The account set of the settlement benchmarks: a program folder under /tmp, the
// stock of generated parts, every table encrypted as the program keeps them, and the
// baseline every figure is read against: copying the encrypted table files.
#include "bench_tables.h"
#include "data/data_folders.h"
#include "data/main_frame_data.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/program_lock.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double Since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A program folder with its empty account set under a fresh /tmp folder, message
// boxes answered with their default; the folder's root. The set is root + "/home/Data".
inline std::string StartProgramFolder(const std::string& tag) {
    const std::string root = MakeFolder(tag);
    const std::string home = root + "/home";
    std::filesystem::create_directories(home + "/Picture");
    std::filesystem::create_directories(home + "/Data");
    ::setenv("QV_SYSDIR", (root + "/sys").c_str(), 1);
    platform::SetProgramFolder(home);
    platform::LockProgramFolder(home, platform::FolderUse::kWrite); // no program beside the bench
    SetAccountSet(wxString());
    std::filesystem::create_directories(g_strDataPath.utf8_string());
    platform::SetMessageBoxHandler([](const std::string&, const std::string&, unsigned type) {
        return platform::DefaultReply(type);
    });
    return root;
}

// `count` stock rows, part "P<r>" named "配件<r>", 1000 of each in bin B1 bought at 10.
inline void FillStock(const std::string& folder, uint32_t count) {
    MakeCatalogTable(folder, "ljkc", 0);
    foxdb::TableEdit edit(foxdb::FindTableFile(folder, "ljkc"));
    std::vector<foxdb::Value> row(edit.Table().Fields().size(), foxdb::Null{});
    auto field = [&](const char* name) { return edit.Table().FieldIndex(name); };
    for (uint32_t r = 1; r <= count; ++r) {
        row[field("编号")] = "P" + std::to_string(r);
        row[field("零件名称")] = platform::Utf8ToGbk("配件") + std::to_string(r);
        row[field("货位")] = std::string("B1");
        row[field("数量")] = int64_t(1000);
        row[field("零售价")] = 12.5;
        row[field("进价")] = 10.0;
        row[field("no")] = int64_t(r);
        edit.Append(row);
    }
    edit.Commit();
}

// The index files into the working folder and every table encrypted, as the first run
// leaves a set.
inline void EncryptSet(const std::string& set, CMainFrameData& frame) {
    const std::string working = g_strDataPath.utf8_string();
    for (const std::string& index : platform::ListFiles(set, "*.cdx"))
        platform::MoveFile(set + "/" + index, working + index);
    frame.EncryptAllTables();
}

// The tables a settlement writes: the archive `ljsh` of `archive` generated rows, the
// stock, the open lines that fillLines puts into `zyxm`, empty returns and ledgers;
// every table encrypted. Says how long it took.
inline void MakeSettleSet(const std::string& set, uint32_t archive, uint32_t stock,
                          const std::function<void(const std::string&)>& fillLines,
                          CMainFrameData& frame) {
    const auto made = Clock::now();
    MakeCatalogTable(set, "ljsh", archive);
    FillStock(set, stock);
    fillLines(set);
    for (const char* table : {"ljth", "wlzm", "kzk"})
        MakeCatalogTable(set, table, 0);
    frame.m_strRights = "admin,";
    EncryptSet(set, frame);
    std::printf("account set made in %.1f s: ljsh %lld bytes encrypted, zyxm %lld\n", Since(made),
                platform::FileSize(set + "/ljsh.dwf"), platform::FileSize(set + "/zyxm.dwf"));
}

// Seconds to copy the encrypted files of the tables into a fresh folder under root.
inline double CopyTables(const std::string& set, const std::string& root,
                         const std::vector<std::string>& tables) {
    const std::string copies = root + "/copies";
    std::filesystem::remove_all(copies);
    std::filesystem::create_directories(copies);
    const auto start = Clock::now();
    for (const std::string& table : tables)
        platform::CopyFileAtomic(set + "/" + table + ".dwf", copies + "/" + table + ".dwf");
    return Since(start);
}

} // namespace bench
