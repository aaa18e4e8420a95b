#pragma once
// Changes written into a table file where they stand, so a change to a few records
// costs those records and not the whole table. Before the first byte changes, the
// bytes about to be overwritten and the file's old size go to "<file>.qv-undo",
// complete before it gets that name; the undo file goes once the change is on
// disk. Whoever finds one (a writer killed in between) puts the old bytes back, so
// the file is always the old one or the new one.
#include "foxdb/table_files.h"

#include <cstdint>
#include <string>
#include <vector>

namespace foxdb {

struct FilePatch {
    uint64_t offset = 0;
    std::string bytes;
};

// Writes `patches` into `path`, whose current bytes are `old` (`oldSize` of them),
// and sets its size to `newSize`. With `indexBytes`, the file `indexPath` is
// replaced by them as part of the same change: the new one is written beside it
// and renamed over it once the table's bytes are on disk, the old one stays by a
// second name ("<path>.qv-old-index") until the undo file goes, and the undo puts
// it back. The caller holds the folder lock. Returns the stamp of the written file,
// which differs from `before` even within one clock tick. Throws Error(Io); the
// files are then as they were.
FileStamp WriteInPlace(const std::string& path, const std::vector<FilePatch>& patches,
                       const char* old, uint64_t oldSize, uint64_t newSize, const FileStamp& before,
                       const std::string& indexPath = std::string(),
                       const std::string* indexBytes = nullptr);

// The undo file of `path`.
std::string UndoPathFor(const std::string& path);
// Where the old index of `path` waits while a write replaces it.
std::string OldIndexPathFor(const std::string& path);

// Puts back the old bytes (and the old index) of an interrupted write of `path`
// when its undo file is there. The caller holds the folder lock.
void UndoInterruptedWrite(const std::string& path);

// Puts back into `path` the old bytes an undo record holds (as WriteInPlace makes
// them). The caller holds the folder lock. Throws Error.
void PutBackOldBytes(const std::string& path, const std::string& undo);

} // namespace foxdb
