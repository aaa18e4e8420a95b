#pragma once
// One all-or-nothing change over several tables of a folder.
//
// Tables are only ever replaced whole (new file, rename), so the file a table had
// before the transaction stays intact as long as a name points at it. The first
// write of each table inside a transaction links its files to "<file>.qv-before"
// and appends their names to the journal "qv-transaction.journal", which the
// transaction holds open and locked. Removing the journal is the commit. Whoever
// finds a journal that no live transaction holds (a crash or a kill before the
// commit) renames every before-image back over its table: every table is then as
// it was before, or, once the journal is gone, every table is as it is after.
#include <memory>
#include <string>

namespace foxdb {

class Transaction {
public:
    // Begins on `folder`. Throws Error(Other) when this process already has one open
    // there, Error(Io) when the journal cannot be written.
    explicit Transaction(const std::string& folder);
    // Rolls back when neither Commit nor Rollback ran.
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    const std::string& Folder() const;
    // Makes every change since the start permanent. Throws Error(Io) when the commit
    // record cannot be removed; the transaction is then still open.
    void Commit();
    // Puts every table written since the start back as it was.
    void Rollback();

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

// Whether this process has a transaction open on the folder of `path` (a table file).
bool InTransaction(const std::string& folder);

// Whether any process has a transaction open on `folder` (or left one to undo).
bool AnyTransaction(const std::string& folder);

// Called by the writers before they replace a table: inside a transaction of this
// process on the table's folder, keeps the files' before-images (once per table).
// `cdxPath` may name a file that does not exist yet. Throws Error(Io).
void KeepBeforeImages(const std::string& dbfPath, const std::string& cdxPath);

// Undoes a transaction of `folder` that a crash interrupted, drops before-images
// left after a commit and finishes or drops the tables' interrupted replacements
// (RecoverFolderFiles). Cheap when there is none; leaves live transactions alone.
void RecoverTransaction(const std::string& folder);

// Test hook: called at each step of a transaction's writes and commit with the step's
// name, so a test can stop the process there.
using TransactionHook = void (*)(const char* step);
void SetTransactionHook(TransactionHook hook);
void TransactionStep(const char* step);

} // namespace foxdb
