#pragma once
// The tables of an account set rest encrypted (<set folder><t>.dwf); statements run
// on plain working copies (<data path><t>.dbf). The decrypt pass before a statement
// makes the copies it needs, the encrypt pass after a change turns them back into
// the encrypted files and removes them.
#include <vector>
#include <wx/string.h>

// The key string of every table file.
extern const char* const kDataFileKey;

// Thin calls into sealkit: path is a buffer of SEALKIT_MAX_PATH bytes that the library
// may overwrite. 1 on success, 0 after the library's own message.
int EncryptTableFile(char* path, const char* key);
int DecryptTableFile(char* path, const char* key);

class CTableCrypt {
public:
    // Whether the file name exists in the data path.
    static bool DataFileExists(const wxString& name);

    // flag 1: decrypts every table the statement names (StatementTables) whose
    // encrypted file exists and whose working copy does not; the names it decrypted
    // are added to *decrypted. flag 0: encrypts every named table that has a working
    // copy. 0 when the statement names no table, else 1.
    static int CryptTables(const wxString& statement, int flag,
                           std::vector<wxString>* decrypted = nullptr);
    // Removes working copies that a decrypt pass made for reading only. A copy is
    // removed only while its encrypted file exists, so no data can be lost.
    static void DropWorkingCopies(const std::vector<wxString>& tables);

    // Encrypts one working copy into the set folder (the copy is removed); 1 on success.
    static int EncryptTable(const wxString& table);
    // Decrypts one table into its working copy; 1 on success.
    static int DecryptTable(const wxString& table);
};
