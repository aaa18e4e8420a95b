#include "foxdb/transaction.h"

#include "foxdb/error.h"
#include "foxdb/in_place_write.h"
#include "foxdb/table_files.h"
#include "platform/files.h"
#include "platform/le64.h"
#include "platform/paths.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <mutex>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace foxdb {
namespace {

const char kJournal[] = "qv-transaction.journal";
const char kBefore[] = ".qv-before";
const char kUndoRecords[] = ".qv-undo-records";

TransactionHook g_hook = nullptr;

[[noreturn]] void Fail(const std::string& what) {
    throw Error(ErrorKind::Io, what + ": " + std::strerror(errno));
}

std::string Canonical(std::string folder) {
    while (folder.size() > 1 && folder.back() == platform::kSep)
        folder.pop_back();
    std::error_code error;
    std::filesystem::path path = std::filesystem::weakly_canonical(folder, error);
    return error ? folder : path.string();
}

std::string BaseName(const std::string& path) {
    size_t slash = path.rfind(platform::kSep);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool Exists(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

// The complete lines of the journal ("+name": the before-image was kept; "-name":
// the file did not exist; "~name": the file is changed in place). A line cut short
// by a crash names a table not yet touched.
std::vector<std::string> ReadEntries(int fd) {
    std::string bytes;
    char buffer[4096];
    ssize_t n;
    off_t offset = 0;
    while ((n = ::pread(fd, buffer, sizeof buffer, offset)) > 0) {
        bytes.append(buffer, static_cast<size_t>(n));
        offset += n;
    }
    std::vector<std::string> entries;
    size_t start = 0, end;
    while ((end = bytes.find('\n', start)) != std::string::npos) {
        std::string line = bytes.substr(start, end - start);
        start = end + 1;
        if (line.size() > 1 && (line[0] == '+' || line[0] == '-' || line[0] == '~') &&
            line.find(platform::kSep) == std::string::npos)
            entries.push_back(line);
    }
    return entries;
}

// Puts every journaled file back as it was and empties the journal. The caller holds
// the journal's lock; the renames are repeatable, so a crash in here is undone again.
// The undo records of a table changed in place, as KeepInPlaceUndo appended them
// (each after its length); one cut short by a crash came before any change.
std::vector<std::string> ReadUndoRecords(const std::string& path) {
    std::string bytes;
    std::vector<std::string> records;
    if (!platform::ReadFileBytes(path, bytes)) return records;
    size_t at = 0;
    while (bytes.size() - at >= 8) {
        const uint64_t length = platform::ReadLe64(bytes, at);
        at += 8;
        if (length > bytes.size() - at) break;
        records.push_back(bytes.substr(at, static_cast<size_t>(length)));
        at += static_cast<size_t>(length);
    }
    return records;
}

// Puts back the old bytes of every in-place change of `target`, the last first.
void UndoInPlaceChanges(const std::string& target) {
    UndoInterruptedWrite(target); // the last change, if it was cut short
    const std::string records = target + kUndoRecords;
    std::vector<std::string> undo = ReadUndoRecords(records);
    if (!undo.empty() && Exists(target))
        for (auto it = undo.rbegin(); it != undo.rend(); ++it)
            PutBackOldBytes(target, *it);
    ::unlink(records.c_str());
}

void Undo(const std::string& folder, int journalFd) {
    FolderLock lock(folder);
    std::vector<std::string> entries = ReadEntries(journalFd);
    // The last first: a table changed in place and then replaced whole gets its
    // before-image (the changed file) back before the changes are undone in it.
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        const std::string& entry = *it;
        const std::string target = platform::JoinPath(folder, entry.substr(1));
        if (entry[0] == '~') {
            UndoInPlaceChanges(target);
            continue;
        }
        // A replacement of the table that was under way is dropped with the rest,
        // and so is a change in place of the file that replaced it.
        for (const char* pending : {".commit", ".commit.tmp", ".tmp", ".qv-undo", ".qv-undo.tmp"})
            ::unlink((target + pending).c_str());
        if (entry[0] == '+') {
            const std::string before = target + kBefore;
            if (Exists(before) && ::rename(before.c_str(), target.c_str()) != 0)
                Fail("cannot restore " + target);
            // A table never replaced is the before-image itself: rename leaves both names.
            ::unlink(before.c_str());
        } else if (::unlink(target.c_str()) != 0 && errno != ENOENT) {
            Fail("cannot remove " + target);
        }
    }
    SyncFolder(folder);
    if (::ftruncate(journalFd, 0) != 0 || ::fsync(journalFd) != 0)
        Fail("cannot clear " + platform::JoinPath(folder, kJournal));
}

void DropStrayBeforeImages(const std::string& folder) {
    for (const char* suffix : {kBefore, kUndoRecords})
        for (const std::string& name : platform::ListFiles(folder, std::string("*") + suffix))
            ::unlink(platform::JoinPath(folder, name).c_str());
}

// Appends `bytes` to the file open on `fd`, on disk when it returns.
void AppendDurably(int fd, const std::string& bytes, const std::string& what) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) Fail("cannot write " + what);
        p += n;
        left -= static_cast<size_t>(n);
    }
    if (::fdatasync(fd) != 0) Fail("cannot write " + what);
}

// Opens and locks the journal of `folder`. -1 when none exists (create false) or when
// a live transaction holds it (block false).
int LockJournal(const std::string& folder, bool create) {
    const std::string path = platform::JoinPath(folder, kJournal);
    for (;;) {
        int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | (create ? O_CREAT : 0), 0600);
        if (fd < 0) {
            if (!create && errno == ENOENT) return -1;
            Fail("cannot open " + path);
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            if (errno == EWOULDBLOCK) return -1;
            Fail("cannot lock " + path);
        }
        // The journal may have been committed (removed) between the open and the lock.
        struct stat held, named;
        ::fstat(fd, &held);
        if (::stat(path.c_str(), &named) == 0 && named.st_ino == held.st_ino &&
            named.st_dev == held.st_dev)
            return fd;
        ::close(fd);
        if (!create) return -1;
    }
}

} // namespace

struct Transaction::Impl {
    std::string folder; // as given
    std::string key;    // canonical
    int journal = -1;
    std::set<std::string> kept;    // files (tables, indexes) whose before-images are kept
    std::set<std::string> inPlace; // tables changed in place, with undo records
    std::vector<std::string> entries;
    bool open = true;

    void Close() {
        if (journal >= 0) ::close(journal);
        journal = -1;
        open = false;
    }
};

namespace {

std::mutex g_mutex;
std::map<std::string, Transaction::Impl*> g_open; // by canonical folder

Transaction::Impl* OpenIn(const std::string& key) {
    auto it = g_open.find(key);
    return it == g_open.end() ? nullptr : it->second;
}

void Unregister(Transaction::Impl* impl) {
    std::lock_guard<std::mutex> guard(g_mutex);
    auto it = g_open.find(impl->key);
    if (it != g_open.end() && it->second == impl) g_open.erase(it);
}

} // namespace

Transaction::Transaction(const std::string& folder) : impl_(std::make_unique<Impl>()) {
    impl_->folder = folder;
    impl_->key = Canonical(folder);
    std::lock_guard<std::mutex> guard(g_mutex);
    if (OpenIn(impl_->key))
        throw Error(ErrorKind::Other, "A transaction is already open on " + folder + ".");
    int fd = LockJournal(folder, true);
    if (fd < 0)
        throw Error(ErrorKind::Io,
                    "Another program is changing the tables of " + folder + ". Please try again.");
    try {
        struct stat st;
        if (::fstat(fd, &st) == 0 && st.st_size > 0) Undo(folder, fd); // left by a crash
        SyncFolder(folder);
    } catch (...) {
        ::close(fd);
        throw;
    }
    impl_->journal = fd;
    g_open[impl_->key] = impl_.get();
}

Transaction::~Transaction() {
    if (!impl_->open) return;
    try {
        Rollback();
    } catch (const Error&) {
        // The journal stays; the next open undoes the transaction.
        Unregister(impl_.get());
        impl_->Close();
    }
}

const std::string& Transaction::Folder() const {
    return impl_->folder;
}

void Transaction::Commit() {
    Impl& d = *impl_;
    if (!d.open) throw Error(ErrorKind::Other, "No transaction is active.");
    TransactionStep("commit");
    const std::string journal = platform::JoinPath(d.folder, kJournal);
    if (::unlink(journal.c_str()) != 0) Fail("cannot commit " + journal);
    SyncFolder(d.folder);
    TransactionStep("committed");
    Unregister(&d);
    for (const std::string& entry : d.entries)
        ::unlink((platform::JoinPath(d.folder, entry.substr(1)) +
                  (entry[0] == '~' ? kUndoRecords : kBefore))
                     .c_str());
    d.Close();
}

void Transaction::Rollback() {
    Impl& d = *impl_;
    if (!d.open) throw Error(ErrorKind::Other, "No transaction is active.");
    Undo(d.folder, d.journal);
    ::unlink(platform::JoinPath(d.folder, kJournal).c_str());
    SyncFolder(d.folder);
    Unregister(&d);
    d.Close();
}

bool InTransaction(const std::string& folder) {
    std::lock_guard<std::mutex> guard(g_mutex);
    return OpenIn(Canonical(folder)) != nullptr;
}

void KeepBeforeImages(const std::string& dbfPath, const std::string& cdxPath) {
    std::lock_guard<std::mutex> guard(g_mutex);
    Transaction::Impl* d = OpenIn(Canonical(FolderOf(dbfPath.empty() ? cdxPath : dbfPath)));
    if (!d) return;
    std::string lines;
    std::vector<std::string> names;
    for (const std::string& file : {dbfPath, cdxPath}) {
        // Each file once: the first image is the one the transaction started from.
        if (file.empty() || d->kept.count(BaseName(file))) continue;
        names.push_back(BaseName(file));
        const std::string before = file + kBefore;
        ::unlink(before.c_str());
        if (!Exists(file)) {
            lines += "-" + BaseName(file) + "\n";
            continue;
        }
        // The file's name moves on to the replacement right after, and writers
        // change no file in place that shares this one's inode (MayWriteInPlace), so
        // a second name keeps it whole; a file system without hard links gets a copy.
        if (::link(file.c_str(), before.c_str()) != 0) {
            std::string error;
            if (!platform::CopyFileAtomic(file, before, true, &error))
                throw Error(ErrorKind::Io, "cannot keep " + file + ": " + error);
        }
        lines += "+" + BaseName(file) + "\n";
    }
    if (lines.empty()) return;
    SyncFolder(d->folder);
    TransactionStep("before-image");
    AppendDurably(d->journal, lines, "the transaction journal");
    TransactionStep("journal");
    for (const std::string& name : names)
        d->kept.insert(name);
    size_t start = 0, end;
    while ((end = lines.find('\n', start)) != std::string::npos) {
        d->entries.push_back(lines.substr(start, end - start));
        start = end + 1;
    }
}

bool MayWriteInPlace(const std::string& dbfPath) {
    const std::string folder = FolderOf(dbfPath);
    std::lock_guard<std::mutex> guard(g_mutex);
    Transaction::Impl* d = OpenIn(Canonical(folder));
    if (!d) return !Exists(platform::JoinPath(folder, kJournal));
    if (!d->kept.count(BaseName(dbfPath))) return true;
    // Kept by a hard link whose replacement failed: writing would change the kept file.
    struct stat now, before;
    return ::stat(dbfPath.c_str(), &now) != 0 ||
           ::stat((dbfPath + kBefore).c_str(), &before) != 0 || now.st_ino != before.st_ino ||
           now.st_dev != before.st_dev;
}

void KeepInPlaceUndo(const std::string& dbfPath, const std::string& undoRecord) {
    std::lock_guard<std::mutex> guard(g_mutex);
    Transaction::Impl* d = OpenIn(Canonical(FolderOf(dbfPath)));
    const std::string name = BaseName(dbfPath);
    // Without a transaction, or with the whole old file kept, there is nothing to add.
    if (!d || d->kept.count(name)) return;
    const std::string records = dbfPath + kUndoRecords;
    if (!d->inPlace.count(name)) {
        ::unlink(records.c_str()); // left by a commit cut short
        AppendDurably(d->journal, "~" + name + "\n", "the transaction journal");
        d->inPlace.insert(name);
        d->entries.push_back("~" + name);
        TransactionStep("journal");
    }
    std::string entry;
    platform::AppendLe64(entry, undoRecord.size());
    entry += undoRecord;
    int fd = ::open(records.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) Fail("cannot write " + records);
    try {
        AppendDurably(fd, entry, records);
    } catch (...) {
        ::close(fd);
        throw;
    }
    ::close(fd);
    TransactionStep("undo-record");
}

void RecoverTransaction(const std::string& folder) {
    {
        std::lock_guard<std::mutex> guard(g_mutex);
        if (OpenIn(Canonical(folder))) return;
    }
    const std::string journal = platform::JoinPath(folder, kJournal);
    if (Exists(journal)) {
        int fd = LockJournal(folder, false);
        if (fd < 0) return; // a live transaction of another process
        try {
            Undo(folder, fd);
            ::unlink(journal.c_str());
            SyncFolder(folder);
        } catch (...) {
            ::close(fd);
            throw;
        }
        ::close(fd);
    }
    DropStrayBeforeImages(folder);
    RecoverFolderFiles(folder);
}

void SetTransactionHook(TransactionHook hook) {
    g_hook = hook;
}

void TransactionStep(const char* step) {
    if (g_hook) g_hook(step);
}

} // namespace foxdb
