#pragma once
// Unmapping a file can cost as much as reading it: the last mapping of a deleted
// working copy frees the file's whole page cache (a fifth of a millisecond for a
// small table, tens of milliseconds for a large one). Mappings nobody reads any more
// go to one background thread, so the statement that replaced them does not wait.
#include <cstddef>

namespace foxdb {

// Unmaps [start, start + size) soon, on another thread; the caller never touches it
// again. In a forked child of a process whose thread started, or when no thread can
// be started, it is unmapped at once.
void UnmapLater(void* start, size_t size);

} // namespace foxdb
