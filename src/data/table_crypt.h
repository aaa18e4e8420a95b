#pragma once
// The tables of an account set rest encrypted (<set folder><t>.dwf); statements run
// on plain working copies (<data path><t>.dbf). The decrypt pass before a statement
// makes the copies it needs, the encrypt pass after a change turns them back into
// the encrypted files and removes them.
//
// Only the process that holds the program folder's lock (platform/program_lock.h)
// makes or encrypts copies, and a copy is never encrypted over an encrypted file that
// changed since the copy was decrypted from it: that file wins and the copy goes.
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

    // Whether this process may write the account set: it holds the program folder's
    // lock, taken now when no other program holds it. False with a Chinese reason in
    // *problem.
    static bool MayWrite(wxString* problem = nullptr);
    // Whether the encrypted file of `table` is still the one its working copy was
    // decrypted from in this run (true for a copy of an earlier run).
    static bool SourceUnchanged(const wxString& table);

    // Encrypts one working copy into the set folder (the copy is removed); 1 on success.
    // A copy whose encrypted file changed since it was decrypted is removed instead
    // (0); without the lock the copy stays (0).
    static int EncryptTable(const wxString& table);
    // Decrypts one table into its working copy; 1 on success, 0 without the lock.
    static int DecryptTable(const wxString& table);
};
