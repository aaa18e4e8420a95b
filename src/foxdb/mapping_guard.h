#pragma once
// Table files are read through shared mappings, and a mapping faults (SIGBUS) where
// another program cut its file short under a running statement. A watched mapping
// that faults gets zero pages over the part past the file's end, so the reader
// goes on, and is marked cut: readers ask after their reads and give an error
// instead of the zeros. Faults outside watched mappings are left to whatever
// handled SIGBUS before.
#include <cstddef>

namespace foxdb {

class MappingGuard {
public:
    // Watches [start, start + size). False when too many mappings are watched
    // already; the caller then reads the file instead of mapping it.
    bool Watch(const char* start, size_t size);
    // Stops watching; before the mapping goes, so its addresses are nobody's.
    void Stop();
    ~MappingGuard() { Stop(); }
    // Whether part of the mapping lay past its file's end when it was read.
    bool Cut() const;

private:
    int slot_ = -1;
};

} // namespace foxdb
