#pragma once
// One all-or-nothing change over several tables of a folder.
//
// The transaction holds the journal "qv-transaction.journal" open and locked; the
// first write of each table inside it appends the table's name there, after what
// puts the table back is on disk. A table replaced whole (new file, rename) keeps
// its old files by a second name, "<file>.qv-before". A table changed in place
// keeps the old bytes of each change, in order, in "<file>.qv-undo-records".
// Removing the journal is the commit. Whoever finds a journal that no live
// transaction holds (a crash or a kill before the commit) puts every journaled
// table back, the last write first: every table is then as it was before, or, once
// the journal is gone, every table is as it is after.
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

// Called by the writers before they replace a table or its index: inside a
// transaction of this process on the table's folder, keeps the files' before-images
// (once per file). Either path may be empty; `cdxPath` may name a file that does not
// exist yet. Throws Error(Io).
void KeepBeforeImages(const std::string& dbfPath, const std::string& cdxPath);

// Whether a writer of this process may change the table `dbfPath` in place: no
// other process has a transaction open on its folder (or left one to undo), and
// the old file a transaction of ours keeps of it is not the file itself.
bool MayWriteInPlace(const std::string& dbfPath);

// Called by the in-place writer before it changes `dbfPath`: inside a transaction
// of this process on the table's folder, keeps `undoRecord` (the old bytes about to
// be overwritten) so that the transaction can put them back. Throws Error(Io).
void KeepInPlaceUndo(const std::string& dbfPath, const std::string& undoRecord);

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
