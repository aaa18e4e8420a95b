#pragma once
// Where the program keeps its files: the program folder ("beside the program",
// the current directory on Windows) and the user's config folder.
#include <string>

namespace platform {

constexpr char kSep = '/';

// $QV_HOME, else the folder set by SetProgramFolder (--home DIR), else
// ~/.local/share/qv; empty when the user has no home. No trailing separator.
std::string ProgramFolder();
void SetProgramFolder(const std::string& folder);

// The user's private config folder ($XDG_CONFIG_HOME/qv or ~/.config/qv), created 0700.
std::string ConfigFolder();

// Joins two path parts with one separator.
std::string JoinPath(const std::string& a, const std::string& b);

// Turns Windows "\" separators in stored texts into the native one.
std::string NativeSeparators(std::string path);

} // namespace platform
