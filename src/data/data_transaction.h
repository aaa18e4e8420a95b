#pragma once
// One change over several tables of the account set, all or nothing. Every table
// saved while it is open (CDataSet::Save, the ledger postings, statements) joins it:
// the working copies change under one engine transaction, and their encryption back
// into the set folder waits for the end. After a commit the copies are encrypted
// back; a copy whose encryption is cut short stays the table in use and is
// encrypted back at the next start. After a rollback or a crash every table is as
// it was before.
#include "ado/ado.h"

#include <vector>
#include <wx/string.h>

class CDataTransaction {
public:
    // Begins on the shared connection. Throws ado::ComError.
    CDataTransaction();
    // Rolls back unless committed; never throws.
    ~CDataTransaction();
    CDataTransaction(const CDataTransaction&) = delete;
    CDataTransaction& operator=(const CDataTransaction&) = delete;

    // Makes every change permanent. Throws ado::ComError after rolling back.
    void Commit();
    void Rollback();

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
