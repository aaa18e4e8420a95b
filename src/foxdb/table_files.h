#pragma once
// A table's two files (.dbf and its structural .cdx) and how they are replaced
// together. New contents go to "<file>.tmp"; once both are on disk a marker
// "<table>.dbf.commit" naming them is created, then both are renamed into place and
// the marker removed. Whoever finds a marker (a crash between the renames) finishes
// the renames first, so a reader always sees the old pair or the new pair.
#include <string>
#include <sys/types.h>

namespace foxdb {

// Identity of a file's content as stat reports it; a replaced or rewritten file differs.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = -1;
    long long modifiedNs = 0;
    long long changedNs = 0;
    bool operator==(const FileStamp& o) const {
        return device == o.device && inode == o.inode && size == o.size &&
               modifiedNs == o.modifiedNs && changedNs == o.changedNs;
    }
    static FileStamp OfDescriptor(int fd);
    static FileStamp OfPath(const std::string& path);
};

// Serialises the writers of one folder (all processes): an exclusive lock on it.
// Readers take it shared while they copy a table, as writers change files in place.
class FolderLock {
public:
    enum Mode { kExclusive, kShared };
    explicit FolderLock(const std::string& folder, Mode mode = kExclusive);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int fd_ = -1;
};

std::string FolderOf(const std::string& path);

// The structural index of a table: the existing "<base>.cdx" found ignoring case,
// else the name to create (".CDX" beside a ".DBF").
std::string IndexPathFor(const std::string& dbfPath);

// Finishes a replacement or puts back an in-place write a crash interrupted. Cheap
// when there is none. Takes the
// folder lock itself when there is work; call it without holding that lock.
void RecoverTableFiles(const std::string& dbfPath);

// The same for every table of `folder`, and drops the new files of a replacement
// killed before it was decided, so no half-written copy of a table stays behind.
void RecoverFolderFiles(const std::string& folder);

// Writes `bytes` as the file `path`, on disk when it returns; `like` is the file it
// will replace, whose permissions it takes (a private working copy stays private). A
// file with nothing to be like is private. Throws Error(Io), leaving no file.
void WriteNewFile(const std::string& path, const std::string& bytes, const std::string& like);

// Replaces the table (and, when `cdxBytes` is given, its index) all-or-nothing.
// The caller holds the folder lock. Throws Error(Io) when the file system refuses;
// the old files then stay as they were.
void ReplaceTableFiles(const std::string& dbfPath, const std::string& dbfBytes,
                       const std::string& cdxPath, const std::string* cdxBytes);

} // namespace foxdb
