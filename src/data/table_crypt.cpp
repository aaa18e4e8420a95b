#include "data/table_crypt.h"

#include "crypt/sealkit.h"
#include "data/data_folders.h"
#include "data/data_transaction.h"
#include "data/setting_files.h"
#include "data/sql_text.h"
#include "platform/files.h"
#include "platform/log.h"
#include "platform/paths.h"

#include <cstring>

const char* const kDataFileKey = "qz19990412kelp@_31774";

int EncryptTableFile(char* path, const char* key) {
    return NvEncrypt(path, key);
}

int DecryptTableFile(char* path, const char* key) {
    return NvDecrypt(path, key);
}

namespace {

// Runs a library call on a path buffer; a path the buffer cannot hold is refused.
int WithPathBuffer(const std::string& path, int (*call)(char*, const char*)) {
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

} // namespace

bool CTableCrypt::DataFileExists(const wxString& name) {
    return platform::FileExists(DataPathFile(name));
}

// The library names the encrypted file after the working copy and the copy after the
// encrypted file, so both calls pass the names the files really have.
int CTableCrypt::EncryptTable(const wxString& table) {
    std::string working = DataPathFile(table + ".dbf");
    return WithPathBuffer(platform::JoinPath(ProgramPath(g_strSetFolder), FileName(working)),
                          EncryptTableFile);
}

int CTableCrypt::DecryptTable(const wxString& table) {
    return WithPathBuffer(ProgramPath(g_strSetFolder + table + ".dwf"), DecryptTableFile);
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
        if (CSettingFiles::FileExists(g_strSetFolder + table + ".dwf"))
            platform::DeleteFile(DataPathFile(table + ".dbf"));
    }
}
