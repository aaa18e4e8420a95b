// libFuzzer target: the whole table-open path with its recovery. One input stands for
// a folder: a table, its index, memo file, replacement marker, transaction journal
// and before-image. Opening, reading and one change give a clean foxdb::Error or work.
#include "foxdb/database.h"
#include "foxdb/error.h"
#include "fuzz_folder.h"

#include <cstdint>
#include <filesystem>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char* const kFiles[] = {
        "t.dbf", "t.cdx", "t.fpt", "t.dbf.commit", "qv-transaction.journal", "t.dbf.qv-before"};
    const std::string folder = fuzz::Folder() + "/tables";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::vector<std::string> parts = fuzz::Parts(data, size, std::size(kFiles));
    for (size_t i = 0; i < parts.size(); ++i)
        if (!parts[i].empty() || i == 0) fuzz::Write("tables/" + std::string(kFiles[i]), parts[i]);
    try {
        foxdb::Database db(folder);
        db.Query("select * from t");
        db.Execute("DELETE FROM t");
    } catch (const foxdb::Error&) {
    }
    return 0;
}
