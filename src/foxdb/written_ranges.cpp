#include "foxdb/written_ranges.h"

#include <map>
#include <mutex>
#include <utility>

namespace foxdb {
namespace {

struct Watched {
    FileStamp now; // what the last noted write left
    std::vector<platform::ByteRange> written;
};

std::mutex g_mutex;
std::map<std::pair<dev_t, ino_t>, Watched> g_watched; // by the file (device, inode)

std::pair<dev_t, ino_t> FileId(const FileStamp& stamp) {
    return {stamp.device, stamp.inode};
}

} // namespace

void WatchWrites(const FileStamp& file) {
    if (file.size < 0) return; // a file that was not there
    std::lock_guard<std::mutex> guard(g_mutex);
    g_watched[FileId(file)] = Watched{file, {}};
}

void NoteWrites(const FileStamp& before, const FileStamp& after,
                std::vector<platform::ByteRange> written) {
    std::lock_guard<std::mutex> guard(g_mutex);
    auto it = g_watched.find(FileId(before));
    if (it == g_watched.end()) return;
    if (!(it->second.now == before) || !(FileId(after) == FileId(before)) || after.size < 0) {
        g_watched.erase(it); // changed by someone else meanwhile: no longer known
        return;
    }
    if (after.size > before.size)
        written.push_back(platform::ByteRange{static_cast<uint64_t>(before.size),
                                              static_cast<uint64_t>(after.size - before.size)});
    Watched& watched = it->second;
    watched.written.insert(watched.written.end(), written.begin(), written.end());
    watched.written = platform::MergeRanges(std::move(watched.written));
    watched.now = after;
}

bool WrittenSince(const FileStamp& file, std::vector<platform::ByteRange>* written) {
    std::lock_guard<std::mutex> guard(g_mutex);
    auto it = g_watched.find(FileId(file));
    if (it == g_watched.end() || !(it->second.now == file)) return false;
    *written = it->second.written;
    return true;
}

void ForgetWrites(const FileStamp& file) {
    std::lock_guard<std::mutex> guard(g_mutex);
    g_watched.erase(FileId(file));
}

} // namespace foxdb
