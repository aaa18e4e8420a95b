#pragma once
// One program folder, one writer. A running program holds the lock file "qv.lock" of
// its program folder exclusively for its whole run; a tool that only reads holds it
// shared. The kernel releases the lock when the process ends, however it ends. The
// lock belongs to the open file: a forked child shares its parent's lock (it goes on
// with the parent's work), a program started by exec does not inherit it.
#include <string>

namespace platform {

extern const char* const kProgramLockFile;

enum class FolderUse { kWrite, kRead };

// Takes the lock of the program folder `folder` for the rest of the run, without
// waiting; holding it already (for writing, or for reading when reading is asked) is
// enough. A lock this process held on another folder is given up. False, with a
// Chinese reason in *problem, when another program holds it or the lock file cannot
// be made.
bool LockProgramFolder(const std::string& folder, FolderUse use, std::string* problem = nullptr);

// Gives up the lock this process holds, if any.
void UnlockProgramFolder();

// The program folder that holds the table folder `folder`: the folder itself or the
// nearest folder above it with a lock file; empty when none has one.
std::string ProgramFolderAbove(const std::string& folder);

} // namespace platform
