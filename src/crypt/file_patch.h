#pragma once
// An encrypted file changed where it differs instead of written anew. The old bytes
// of the blocks about to change, and the file's old size, go to "<file>.qv-undo",
// complete on disk before it gets that name; it goes once the change is on disk.
// Whoever finds one (a run killed in between) puts the old bytes back first, so
// the file is always the old one or the new one.
#include <cstdint>
#include <string>
#include <vector>

namespace sealkit {

struct FilePatch {
    uint64_t offset = 0;
    std::string bytes; // the new ones
    std::string old;   // those they replace (fewer past the old end)
};

// Writes `patches` into `path`, sized `oldSize` before and `newSize` after. False
// when it could not; the file is then as it was.
bool PatchFile(const std::string& path, const std::vector<FilePatch>& patches, uint64_t oldSize,
               uint64_t newSize);

// Puts back the old bytes of an interrupted PatchFile of `path`, if there was one.
// False when they could not be put back.
bool RestoreInterruptedPatch(const std::string& path);

} // namespace sealkit
