#include "foxdb/index_trust.h"

#include <map>
#include <mutex>
#include <utility>

namespace foxdb {
namespace {

std::mutex g_mutex;
// By the table file (device, inode): only its latest version is worth remembering.
std::map<std::pair<dev_t, ino_t>, std::pair<FileStamp, FileStamp>> g_pairs;

} // namespace

void TrustIndexPair(const FileStamp& table, const FileStamp& index) {
    if (table.size < 0 || index.size < 0) return; // a file that was not there
    std::lock_guard<std::mutex> guard(g_mutex);
    g_pairs[{table.device, table.inode}] = {table, index};
}

bool IndexPairTrusted(const FileStamp& table, const FileStamp& index) {
    std::lock_guard<std::mutex> guard(g_mutex);
    auto it = g_pairs.find({table.device, table.inode});
    return it != g_pairs.end() && it->second.first == table && it->second.second == index;
}

} // namespace foxdb
