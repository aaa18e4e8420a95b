#pragma once
// The byte ranges this process wrote into a table file since someone asked to
// watch it, so that a copy known equal to another file at that moment (a working
// copy and its encrypted file) can be brought back to it by those bytes alone.
// Known by the file's stamp, as index_trust.h knows its pairs: a file that anyone
// else changed, or that was replaced (written whole, renamed over), no longer has
// the stamp our last noted write left, and its ranges are not answered.
#include "foxdb/table_files.h"
#include "platform/byte_ranges.h"

#include <vector>

namespace foxdb {

// Starts an empty list of written ranges for the file with stamp `file`.
void WatchWrites(const FileStamp& file);

// Called by the writers that change a file where it stands: the file went from
// `before` to `after` by writing `written` (bytes added by a larger size count as
// written). Ignored unless the file is watched and was at `before`.
void NoteWrites(const FileStamp& before, const FileStamp& after,
                std::vector<platform::ByteRange> written);

// The ranges written since the watch began, sorted and joined, when the file is
// watched and `file` is the stamp its last noted write left.
bool WrittenSince(const FileStamp& file, std::vector<platform::ByteRange>* written);

// Ends the watch of the file (its copy is gone).
void ForgetWrites(const FileStamp& file);

} // namespace foxdb
