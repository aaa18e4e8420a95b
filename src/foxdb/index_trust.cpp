#include "foxdb/index_trust.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/system_dir.h"

#include <cerrno>
#include <cstdlib>
#include <map>
#include <mutex>
#include <sstream>
#include <unistd.h>
#include <utility>
#include <vector>

namespace foxdb {
namespace {

struct Pair {
    FileStamp table, index;
    std::string path;
};

std::mutex g_mutex;
// By the table file (device, inode): only its latest version is worth remembering.
std::map<std::pair<dev_t, ino_t>, Pair> g_pairs;
std::string g_file; // where the pairs are kept across runs, or empty

void PutStamp(std::ostream& out, const FileStamp& s) {
    out << s.device << ' ' << s.inode << ' ' << s.size << ' ' << s.modifiedNs << ' ' << s.changedNs
        << ' ';
}

bool GetStamp(std::istream& in, FileStamp& s) {
    return static_cast<bool>(in >> s.device >> s.inode >> s.size >> s.modifiedNs >> s.changedNs);
}

// One line per pair, its path last; a line cut short by a crash is not taken.
std::string Encode() {
    std::ostringstream out;
    for (const auto& entry : g_pairs) {
        const Pair& pair = entry.second;
        if (pair.path.empty() || pair.path.find('\n') != std::string::npos) continue;
        PutStamp(out, pair.table);
        PutStamp(out, pair.index);
        out << pair.path << "\n";
    }
    return out.str();
}

std::vector<Pair> Decode(const std::string& text) {
    std::vector<Pair> pairs;
    size_t start = 0, end;
    while ((end = text.find('\n', start)) != std::string::npos) {
        std::istringstream line(text.substr(start, end - start));
        start = end + 1;
        Pair pair;
        if (!GetStamp(line, pair.table) || !GetStamp(line, pair.index) || line.get() != ' ' ||
            !std::getline(line, pair.path) || pair.path.empty())
            continue;
        pairs.push_back(std::move(pair));
    }
    return pairs;
}

// Through a temporary name, so a reader sees the old list or the new one. Not
// synced: a list lost in a crash only costs checks.
void Save() {
    if (g_file.empty()) return;
    const std::string text = Encode();
    std::vector<char> temp(g_file.begin(), g_file.end());
    const char tag[] = ".XXXXXX";
    temp.insert(temp.end(), tag, tag + sizeof tag);
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return;
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    ::close(fd);
    if (done != text.size() || ::rename(temp.data(), g_file.c_str()) != 0) ::unlink(temp.data());
}

// A pair whose file no longer has its stamp can never be trusted again.
void DropStale() {
    for (auto it = g_pairs.begin(); it != g_pairs.end();) {
        if (!it->second.path.empty() && !(FileStamp::OfPath(it->second.path) == it->second.table))
            it = g_pairs.erase(it);
        else
            ++it;
    }
}

// Records a pair; false when it was known already or a file was not there.
bool Record(const std::string& path, const FileStamp& table, const FileStamp& index) {
    if (table.size < 0 || index.size < 0) return false;
    Pair& pair = g_pairs[{table.device, table.inode}];
    if (pair.table == table && pair.index == index && pair.path == path) return false;
    pair = Pair{table, index, path};
    return true;
}

} // namespace

void TrustIndexPair(const std::string& path, const FileStamp& table, const FileStamp& index) {
    std::lock_guard<std::mutex> guard(g_mutex);
    if (!Record(path, table, index) || g_file.empty()) return;
    DropStale();
    Save();
}

void TrustIndexPairForThisRun(const std::string& path, const FileStamp& table,
                              const FileStamp& index) {
    std::lock_guard<std::mutex> guard(g_mutex);
    Record(path, table, index);
}

bool IndexPairTrusted(const FileStamp& table, const FileStamp& index) {
    std::lock_guard<std::mutex> guard(g_mutex);
    auto it = g_pairs.find({table.device, table.inode});
    return it != g_pairs.end() && it->second.table == table && it->second.index == index;
}

void RememberIndexPairsIn(const std::string& file) {
    std::lock_guard<std::mutex> guard(g_mutex);
    if (file == g_file) return;
    g_file = file;
    std::string text;
    if (!platform::ReadFileBytes(file, text)) return;
    for (Pair& pair : Decode(text))
        if (FileStamp::OfPath(pair.path) == pair.table)
            g_pairs.emplace(std::make_pair(pair.table.device, pair.table.inode), std::move(pair));
}

void RememberIndexPairsOfTheSystemFolder() {
    const std::string system = platform::SystemDirectory();
    if (!system.empty()) RememberIndexPairsIn(platform::JoinPath(system, "index-pairs"));
}

void ForgetIndexPairs() {
    std::lock_guard<std::mutex> guard(g_mutex);
    g_pairs.clear();
    g_file.clear();
}

} // namespace foxdb
