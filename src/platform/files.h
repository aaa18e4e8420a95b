#pragma once
// File services in place of the Win32 ones the program relied on: case-insensitive name
// lookup (FoxPro and Windows found "LJDB" as ljdb.dbf), wildcard enumeration,
// copies that never leave a half-written target, and the read-only attribute.
#include <string>
#include <vector>

namespace platform {

bool FileExists(const std::string& path);   // a regular file
bool FolderExists(const std::string& path); // a directory

// The path of the entry of `folder` whose name equals `name` ignoring ASCII case;
// an exact match wins. Empty when there is none.
std::string FindFileNoCase(const std::string& folder, const std::string& name);

// Resolves every component of `path` after the first existing one case-insensitively;
// returns the path unchanged when nothing matches.
std::string ResolvePathNoCase(const std::string& path);

// DOS-style wildcard match of a file name (* and ?), ignoring ASCII case.
bool WildcardMatch(const std::string& pattern, const std::string& name);

// Names (not paths) of the regular files of `folder` matching `pattern`, sorted.
std::vector<std::string> ListFiles(const std::string& folder, const std::string& pattern);
// Names of the sub-folders of `folder`, sorted.
std::vector<std::string> ListFolders(const std::string& folder);

// Copies through a temporary file in the target's folder renamed over the target,
// so the target is either the old file or the complete copy. A read-only target is
// replaced only when `overwrite` is set. The copy takes the mode of the file it replaces,
// or 0600 when there was none. False (and errno-style text in *error) on failure.
bool CopyFileAtomic(const std::string& from, const std::string& to, bool overwrite = true,
                    std::string* error = nullptr);
// Renames, falling back to copy and delete across file systems.
bool MoveFile(const std::string& from, const std::string& to, std::string* error = nullptr);
bool DeleteFile(const std::string& path);
// Creates the folder and its missing parents, each with mode 0700.
bool CreateFolders(const std::string& path);

// Read-only is the absence of write bits; "normal" gives the owner write access back.
bool SetReadOnly(const std::string& path, bool readOnly);
bool IsReadOnly(const std::string& path);

// The file's size in bytes, or -1.
long long FileSize(const std::string& path);

// Reads or writes a whole file. WriteFileAtomic goes through a temporary file and a
// rename, with the modes of CopyFileAtomic.
bool ReadFileBytes(const std::string& path, std::string& bytes);
bool WriteFileAtomic(const std::string& path, const std::string& bytes,
                     std::string* error = nullptr);

} // namespace platform
