#pragma once
// Table files and structural indexes known to belong together: written together by
// this process, or checked key by key. Known by their stamps, so an index that
// anyone changed, replaced or carried over from another time afterwards is not
// taken on trust: any change gives one of the two files a new stamp.
#include "foxdb/table_files.h"

#include <string>

namespace foxdb {

// Records that the index file with stamp `index` holds exactly the keys of the
// table held by the file `path` with stamp `table` (the table file, or a file that
// turns back into it unchanged, as an encrypted copy does).
void TrustIndexPair(const std::string& path, const FileStamp& table, const FileStamp& index);

// The same for this run only, not written to the list a later run reads: for a file
// that does not outlive the run (a working copy decrypted for reading), whose pair
// is not worth rewriting the list for.
void TrustIndexPairForThisRun(const std::string& path, const FileStamp& table,
                              const FileStamp& index);

// Whether that was recorded for these two stamps.
bool IndexPairTrusted(const FileStamp& table, const FileStamp& index);

// Keeps the pairs in `file` as well, and takes on trust those it already holds whose
// file still has the stamp they were recorded with: a later run then does not check
// again an index that was checked or written before. The file belongs in a private
// folder; losing it costs only those checks.
void RememberIndexPairsIn(const std::string& file);

// RememberIndexPairsIn the list of the system folder ("index-pairs"), which the program
// and the command-line tools share; nothing when there is no usable system folder.
void RememberIndexPairsOfTheSystemFolder();

// Forgets every pair held in memory, as a new run starts with none (for tests).
void ForgetIndexPairs();

} // namespace foxdb
