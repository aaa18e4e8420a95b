#pragma once
// Table files and structural indexes known to belong together: written together by
// this process, or checked key by key. Known by their stamps, so an index that
// anyone changed, replaced or carried over from another time afterwards is not
// taken on trust: any change gives one of the two files a new stamp.
#include "foxdb/table_files.h"

namespace foxdb {

// Records that the index file with stamp `index` holds exactly the keys of the
// table file with stamp `table`.
void TrustIndexPair(const FileStamp& table, const FileStamp& index);

// Whether that was recorded for these two stamps.
bool IndexPairTrusted(const FileStamp& table, const FileStamp& index);

} // namespace foxdb
