#pragma once
// One change over several tables of the account set, all or nothing. Every table
// saved while it is open (CDataSet::Save, the ledger postings, statements) joins it:
// the working copies change under one engine transaction, and their encryption back
// into the set folder waits for the end. After a commit the copies are encrypted
// back; a copy whose encryption is cut short stays the table in use and is
// encrypted back at the next start. After a rollback or a crash every table is as
// it was before.
#include "ado/ado.h"

#include <stdexcept>
#include <vector>
#include <wx/string.h>

// Why a transaction wrote nothing when the cause is not an error of the data: another
// program holds the account set, or a table changed since it was read. what() is a
// Chinese sentence for the shop.
class CDataRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class CDataTransaction {
public:
    // Begins on the shared connection. Throws CDataRefused when another program holds
    // the account set, ado::ComError when the engine fails.
    CDataTransaction();
    // Rolls back unless committed; never throws.
    ~CDataTransaction();
    CDataTransaction(const CDataTransaction&) = delete;
    CDataTransaction& operator=(const CDataTransaction&) = delete;

    // Makes every change permanent, or nothing: after rolling back it throws
    // CDataRefused when an encrypted table changed since its copy was decrypted,
    // ado::ComError when the engine fails. Once it returns the change is made; an
    // encryption cut short leaves the copy as the table in use.
    void Commit();
    void Rollback();

    // The sentence for the shop that says why `error` ended a transaction, after
    // `failure` (what was not done); `failure` alone when there is nothing to add.
    static wxString FailureText(const wxString& failure, const std::exception& error);

    // Whether a transaction is open on the shared connection; encrypting `table`
    // back is then left for its end.
    static bool DeferEncryption(const wxString& table);
    // A message that reports a change as done: shown now outside a transaction, else
    // after the open one has committed, never after a rollback.
    static void TellAfterCommit(const wxString& text);

private:
    void EncryptTouched();

    ado::ConnectionPtr m_pConnection;
    bool m_bOpen = false;
};
