#pragma once
// The user's private key file, standing in for the key container and the registry
// value "fnKey": it holds the key-exchange pair and the stored RC4 key blob, one
// entry a line ("name=hex"), mode 0600 in the user's config folder.
#include <map>
#include <string>

namespace sealkit {

// $XDG_CONFIG_HOME/qv or ~/.config/qv, created with mode 0700; empty when it
// cannot be made.
std::string KeyFolder();

// Holds an exclusive lock on the folder's key file while alive, so that two
// processes never create two different pairs for one user.
class KeyStore {
public:
    explicit KeyStore(const std::string& folder);
    ~KeyStore();
    KeyStore(const KeyStore&) = delete;
    KeyStore& operator=(const KeyStore&) = delete;

    // Locks and reads the file. A missing file is an empty store; a file that
    // cannot be read or parsed is a failure (and is never overwritten).
    bool Load();
    bool Has(const std::string& name) const { return entries_.count(name) != 0; }
    // The raw bytes of an entry, empty when missing.
    std::string Get(const std::string& name) const;
    void Set(const std::string& name, const std::string& bytes) { entries_[name] = bytes; }
    // Writes every entry through a temporary file renamed over the key file.
    bool Save();

private:
    std::string path_;
    int lockFd_ = -1;
    std::map<std::string, std::string> entries_;
};

} // namespace sealkit
