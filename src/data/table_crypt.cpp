#include "data/table_crypt.h"

#include "crypt/encrypt_working_copy.h"
#include "crypt/sealkit.h"
#include "data/data_folders.h"
#include "data/data_transaction.h"
#include "data/setting_files.h"
#include "data/sql_text.h"
#include "foxdb/error.h"
#include "foxdb/index_trust.h"
#include "foxdb/written_ranges.h"
#include "platform/files.h"
#include "platform/log.h"
#include "platform/paths.h"
#include "platform/program_lock.h"

#include <cstring>
#include <map>
#include <memory>
#include <mutex>

const char* const kDataFileKey = "qz19990412kelp@_31774";

int EncryptTableFile(char* path, const char* key) {
    return NvEncrypt(path, key);
}

int DecryptTableFile(char* path, const char* key) {
    return NvDecrypt(path, key);
}

namespace {

// Runs a library call on a path buffer; a path the buffer cannot hold is refused.
template <typename Call> int WithPathBuffer(const std::string& path, Call call) {
    if (path.size() >= SEALKIT_MAX_PATH) {
        platform::AppendLog("path too long for the table library: " + path);
        return 0;
    }
    char buffer[SEALKIT_MAX_PATH];
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return call(buffer, kDataFileKey);
}

std::string FileName(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

std::pair<dev_t, ino_t> FileId(const foxdb::FileStamp& stamp) {
    return {stamp.device, stamp.inode};
}

// A working copy we decrypted is its encrypted file plus what our writers wrote into
// it since (foxdb/written_ranges.h), while that file is the one it came from: its
// encryption then re-encrypts just those bytes. By the working copy.
std::mutex g_decryptedMutex;
std::map<std::pair<dev_t, ino_t>, foxdb::FileStamp> g_decryptedFrom;

// The shared lock of the working folder, so no writer of ours changes a copy while
// it is encrypted or decrypted; null when the folder cannot be locked.
std::unique_ptr<foxdb::FolderLock> LockWorkingFolder(const std::string& working) {
    try {
        return std::make_unique<foxdb::FolderLock>(foxdb::FolderOf(working),
                                                   foxdb::FolderLock::kShared);
    } catch (const foxdb::Error&) {
        return nullptr;
    }
}

// Ends what is known of a copy's writes (it is encrypted or dropped); the stamp of
// the encrypted file it was decrypted from, of size -1 when there is none.
foxdb::FileStamp ForgetCopy(const foxdb::FileStamp& copy) {
    foxdb::ForgetWrites(copy);
    std::lock_guard<std::mutex> guard(g_decryptedMutex);
    auto it = g_decryptedFrom.find(FileId(copy));
    if (it == g_decryptedFrom.end()) return foxdb::FileStamp();
    const foxdb::FileStamp from = it->second;
    g_decryptedFrom.erase(it);
    return from;
}

std::string EncryptedPath(const std::string& target) {
    return target.substr(0, target.size() - 3) + "dwf";
}

// The encrypted file is the one a copy came from while it is the same file with the
// same size and modification time (a change of its mode alone does not count).
bool SameSource(const foxdb::FileStamp& from, const foxdb::FileStamp& now) {
    return from.device == now.device && from.inode == now.inode && from.size == now.size &&
           from.modifiedNs == now.modifiedNs;
}

// The encrypted file each working copy of this run was decrypted from, by the copy's
// path: a copy rewritten whole by its writers still came from that file.
std::map<std::string, foxdb::FileStamp> g_sourceOf;

foxdb::FileStamp SourceOf(const std::string& working, bool forget) {
    std::lock_guard<std::mutex> guard(g_decryptedMutex);
    auto it = g_sourceOf.find(working);
    if (it == g_sourceOf.end()) return foxdb::FileStamp();
    const foxdb::FileStamp source = it->second;
    if (forget) g_sourceOf.erase(it);
    return source;
}

} // namespace

bool CTableCrypt::MayWrite(wxString* problem) {
    std::string why;
    if (platform::LockProgramFolder(platform::ProgramFolder(), platform::FolderUse::kWrite, &why))
        return true;
    platform::AppendLog("account set not written: " + why);
    if (problem) *problem = wxString::FromUTF8(why);
    return false;
}

bool CTableCrypt::SourceUnchanged(const wxString& table) {
    const foxdb::FileStamp from = SourceOf(DataPathFile(table + ".dbf"), false);
    return from.size < 0 ||
           SameSource(from, foxdb::FileStamp::OfPath(ProgramPath(g_strSetFolder + table + ".dwf")));
}

bool CTableCrypt::DataFileExists(const wxString& name) {
    return platform::FileExists(DataPathFile(name));
}

// The library names the encrypted file after the working copy and the copy after the
// encrypted file, so both calls pass the names the files really have.
int CTableCrypt::EncryptTable(const wxString& table) {
    if (!MayWrite()) return 0;
    std::string working = DataPathFile(table + ".dbf");
    const std::string target = platform::JoinPath(ProgramPath(g_strSetFolder), FileName(working));
    const std::string index = foxdb::IndexPathFor(working);
    std::unique_ptr<foxdb::FolderLock> lock = LockWorkingFolder(working);
    const foxdb::FileStamp indexStamp = foxdb::FileStamp::OfPath(index);
    const foxdb::FileStamp copy = foxdb::FileStamp::OfPath(working);
    const bool paired = lock && foxdb::IndexPairTrusted(copy, indexStamp);
    std::vector<platform::ByteRange> written;
    bool known = lock && foxdb::WrittenSince(copy, &written);
    const foxdb::FileStamp from = ForgetCopy(copy);
    const foxdb::FileStamp source = SourceOf(working, true);
    if (source.size >= 0 && !SameSource(source, foxdb::FileStamp::OfPath(EncryptedPath(target)))) {
        // Another writer replaced the encrypted table since the copy was made: its
        // content is kept and the copy, now out of date, goes.
        platform::AppendLog("encrypted table changed since its decryption, copy dropped: " +
                            working);
        platform::DeleteFile(working);
        return 0;
    }
    known = known && from.size >= 0 && from == foxdb::FileStamp::OfPath(EncryptedPath(target));
    const int done =
        known ? WithPathBuffer(target,
                               [&written](char* path, const char* key) {
                                   return sealkit::EncryptWorkingCopy(path, key, written);
                               })
              : WithPathBuffer(target, EncryptTableFile);
    lock.reset();
    // A working copy whose index was known to belong to it (foxdb/index_trust.h) stays
    // known through its encryption and the decryption of that same encrypted file, so a
    // fresh copy is not checked against its index key by key: the encrypted file is
    // paired with the index. One changed or replaced since, or an index changed since,
    // is not trusted.
    if (done && paired && foxdb::FileStamp::OfPath(index) == indexStamp) {
        const std::string encrypted = EncryptedPath(target);
        foxdb::TrustIndexPair(encrypted, foxdb::FileStamp::OfPath(encrypted), indexStamp);
    }
    return done;
}

int CTableCrypt::DecryptTable(const wxString& table) {
    if (!MayWrite()) return 0;
    const std::string encrypted = ProgramPath(g_strSetFolder + table + ".dwf");
    const std::string working = DataPathFile(table + ".dbf");
    const foxdb::FileStamp before = foxdb::FileStamp::OfPath(encrypted);
    std::unique_ptr<foxdb::FolderLock> lock = LockWorkingFolder(working);
    const int done = WithPathBuffer(encrypted, DecryptTableFile);
    if (!done) return done;
    const bool sameSource = foxdb::FileStamp::OfPath(encrypted) == before;
    if (sameSource) {
        std::lock_guard<std::mutex> guard(g_decryptedMutex);
        g_sourceOf[working] = before;
    }
    const foxdb::FileStamp copy = foxdb::FileStamp::OfPath(working);
    if (lock && sameSource) {
        std::lock_guard<std::mutex> guard(g_decryptedMutex);
        foxdb::WatchWrites(copy);
        g_decryptedFrom[FileId(copy)] = before;
    }
    lock.reset();
    const foxdb::FileStamp index = foxdb::FileStamp::OfPath(foxdb::IndexPathFor(working));
    if (sameSource && foxdb::IndexPairTrusted(before, index))
        foxdb::TrustIndexPairForThisRun(working, copy, index);
    return done;
}

int CTableCrypt::CryptTables(const wxString& statement, int flag,
                             std::vector<wxString>* decrypted) {
    std::vector<wxString> names = CSqlText::StatementTables(statement);
    if (names.empty()) return 0;
    for (const wxString& name : names) {
        if (flag == 1) {
            if (CSettingFiles::FileExists(g_strSetFolder + name + ".dwf") &&
                !DataFileExists(name + ".dbf") && DecryptTable(name) && decrypted)
                decrypted->push_back(name);
        } else if (DataFileExists(name + ".dbf") && !CDataTransaction::DeferEncryption(name)) {
            EncryptTable(name);
        }
    }
    return 1;
}

void CTableCrypt::DropWorkingCopies(const std::vector<wxString>& tables) {
    for (const wxString& table : tables) {
        if (CSettingFiles::FileExists(g_strSetFolder + table + ".dwf")) {
            const std::string working = DataPathFile(table + ".dbf");
            ForgetCopy(foxdb::FileStamp::OfPath(working));
            SourceOf(working, true);
            platform::DeleteFile(working);
        }
    }
}
