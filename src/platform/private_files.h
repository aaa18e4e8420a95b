#pragma once
// What the program keeps (tables, working copies, backups, the users file) belongs to
// the user who runs it alone: folders 0700, files 0600. These tidy a folder tree at
// start: modes an earlier version left open are narrowed, and the temporary files of
// writers that were killed are removed.
#include <string>

namespace platform {

// Takes every permission of group and others off the folder and everything under it.
// Symbolic links are neither followed nor changed.
void MakePrivate(const std::string& folder);

// Removes every temporary file of an interrupted write (temp_names.h) under the folder;
// returns how many were removed.
int RemoveLeftoverTemps(const std::string& folder);

// Removes everything inside the folder, which stays.
void EmptyFolder(const std::string& folder);

// The start of a run: narrows the modes under the program folder, checks the system
// directory (system_dir.h), removes the leftovers of killed writes from both and
// empties the rebuild's staging folder (a killed rebuild leaves plain tables there).
// False, with the reason in *problem, when the system directory cannot be used.
bool TidyAtStart(const std::string& programFolder, std::string* problem);

} // namespace platform
