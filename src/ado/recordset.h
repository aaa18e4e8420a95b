#pragma once
// Recordset: a client cursor over all rows of a result, in batch-optimistic mode.
// Each row keeps its original and current values and a status; edits stay in the
// recordset until UpdateBatch sends them to the tables (all-or-nothing per table)
// or CancelBatch drops them. Find, Filter and Sort work on the rows in memory.
//
//   auto conn = std::make_shared<ado::Connection>();
//   conn->Open(ado::ConnectionStringOfFolder(folder));
//   ado::Recordset rs;
//   rs.PutCursorLocation(ado::adUseClient);
//   rs.Open("select * from ljkc", conn, ado::adOpenStatic, ado::adLockBatchOptimistic,
//           ado::adCmdText);
//   for (; !rs.EndOfFile(); rs.MoveNext()) use(rs.Fields().Item("编号").Value());
//
// Every failure throws ComError with ADO's code and text: 3704 on a closed
// recordset, 3705 for set-up or Open while open, 3021 without a current record,
// 3001 for a bad argument or criterion, 3265 for an unknown field.
#include "ado/com_error.h"
#include "ado/constants.h"
#include "ado/field.h"
#include "ado/variant.h"

#include <memory>
#include <string>
#include <vector>

namespace foxdb {
struct ResultSet;
}

namespace ado {

class Connection;
using ConnectionPtr = std::shared_ptr<Connection>;
class Recordset;
using RecordsetPtr = std::shared_ptr<Recordset>;
struct RowStore;
class Criteria;

class Recordset {
public:
    Recordset();
    ~Recordset(); // closes (pending changes are dropped)
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // --- Set-up; CursorType, LockType, CursorLocation and Source only while closed.
    ConnectionPtr ActiveConnection() const { return connection_; }
    // A client recordset may be detached (nullptr) and attached again while open;
    // UpdateBatch and Requery then use the new connection.
    void PutActiveConnection(ConnectionPtr connection);
    CursorTypeEnum CursorType() const; // adOpenStatic while open (the client cursor's only type)
    void PutCursorType(CursorTypeEnum type);
    LockTypeEnum LockType() const;
    void PutLockType(LockTypeEnum type);
    CursorLocationEnum CursorLocation() const { return cursorLocation_; }
    void PutCursorLocation(CursorLocationEnum location);
    // The statement text, or the file path for a recordset opened from a file.
    const std::string& Source() const { return source_; }
    void PutSource(const std::string& source);

    // --- Open and close.
    // `source` is a statement (adCmdText), a table name (adCmdTable) or the path of a
    // saved recordset (adCmdFile; the default when there is no connection). An empty
    // `source` uses the Source property; a null `connection` the ActiveConnection.
    // The cursor is always the client's static cursor; a lock type other than
    // read-only gives batch-optimistic editing. A statement that returns no rows
    // leaves the recordset closed. No usable connection: 3709; a file that cannot
    // be opened: 3002; a damaged file: 3003 (nothing of it is used).
    void Open(const std::string& source = std::string(), ConnectionPtr connection = nullptr,
              CursorTypeEnum cursorType = adOpenUnspecified,
              LockTypeEnum lockType = adLockUnspecified, long options = adCmdUnspecified);
    // Opens on a result the engine gave (Connection::Execute, tests); `source` becomes
    // the Source property.
    void OpenResult(foxdb::ResultSet result, const std::string& source = std::string(),
                    ConnectionPtr connection = nullptr,
                    LockTypeEnum lockType = adLockBatchOptimistic);
    // Drops pending changes; closing a closed recordset: 3704.
    void Close();
    long State() const; // ObjectStateEnum
    bool IsOpen() const { return store_ != nullptr; }

    // --- Size and position; all on the current view (after Filter and Sort).
    long RecordCount() const;
    bool BOF() const;
    bool EndOfFile() const; // ADO's EOF
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    // n records from the current one, or from `start` (a Bookmark or a BookmarkEnum).
    void Move(long n, const Variant& start = Variant::Missing());
    long AbsolutePosition() const;           // 1-based, or adPosBOF / adPosEOF / adPosUnknown
    void PutAbsolutePosition(long position); // outside 1..RecordCount: 3001
    // An opaque value naming the current record, valid across Sort, Filter and clones.
    Variant Bookmark() const;
    void PutBookmark(const Variant& bookmark);

    // --- Find, Filter, Sort.
    // One comparison "field op value" (=, <>, <, >, <=, >=, LIKE with * or % at the
    // ends); text compares ignoring ASCII case and trailing blanks. Starts
    // `skipRecords` from the current record (or from `start`); not found leaves EOF
    // (forward) or BOF (backward). A criterion that does not parse: 3001.
    void Find(const std::string& criteria, long skipRecords = 0,
              SearchDirectionEnum direction = adSearchForward,
              const Variant& start = Variant::Missing());
    // A criteria string (clauses joined by AND / OR, parentheses; "" or "0" clears)
    // or a FilterGroupEnum value; reads back as set, adFilterNone (0) when none.
    // Moves to the first record of the new view.
    Variant Filter() const { return filter_; }
    void PutFilter(const Variant& filter);
    // "field [ASC|DESC], ..."; "" restores the original order. Keeps the current record.
    const std::string& Sort() const { return sort_; }
    void PutSort(const std::string& sort);

    // --- Editing (batch mode: nothing reaches the tables before UpdateBatch).
    void AddNew();       // a new record at the end, all fields Null, becomes current
    void Update();       // keeps the edit of the current record in the recordset
    void CancelUpdate(); // drops the edit in progress (a new record disappears)
    void Delete(AffectEnum affect = adAffectCurrent); // only adAffectCurrent (else 3001)
    // Sends every pending change of the visible rows (adAffectAll) or of the current
    // one. Each changed or deleted row is checked against the table: a record changed
    // since it was read fails the whole batch with kRowChangedSinceRead ("Row cannot
    // be located for updating. Some values may have been changed since it was last
    // read.") and marks the row adRecConcurrencyViolation; a table error (UNIQUE
    // violated) fails it with the engine's text. A failed batch writes nothing of the
    // table and leaves every change pending. A result of a join or a grouping cannot
    // be sent (E_FAIL "Insufficient base table information for updating or
    // refreshing."); in a result of one table, changes to computed columns stay local.
    void UpdateBatch(AffectEnum affect = adAffectAll);
    // Drops pending changes: edited rows return to their original values, new rows
    // vanish, deleted rows return. Then the first record is current.
    void CancelBatch(AffectEnum affect = adAffectAll);
    // RecordStatusEnum flags of the current record: adRecUnmodified as read or
    // saved; adRecModified, adRecNew or adRecDeleted while pending, with
    // adRecConcurrencyViolation after a conflict.
    long Status() const;
    EditModeEnum EditMode() const; // adEditNone again after Update

    // --- Other.
    // Up to `rows` records (adGetRowsRest: all) from the current one or `start`, as
    // values[field][row]; the position moves past the last record read.
    std::vector<std::vector<Variant>> GetRows(long rows = adGetRowsRest,
                                              const Variant& start = Variant::Missing());
    // Runs the Source again on the ActiveConnection (reads the file again for a
    // recordset opened from one); pending changes are dropped; Sort and Filter are
    // applied again. Without an open connection: 3709, and nothing changes.
    void Requery(long options = adOptionUnspecified);
    // A second cursor over the same rows (edits are shared, bookmarks interchange).
    RecordsetPtr Clone(LockTypeEnum lockType = adLockUnspecified);
    // Writes the rows (those passing a criteria Filter) with their pending changes
    // as an ADTG TableGram; an existing file: STG_E_FILEALREADYEXISTS. Afterwards
    // the first record is current.
    void Save(const std::string& path, PersistFormatEnum format = adPersistADTG);

    ado::Fields& Fields();

private:
    friend class Field;
    friend class Fields;
    friend class Connection;

    // Position model: view_ holds the row ids of the current view; pos_ is an index
    // into it, -1 for BOF and view_.size() for EOF. After Delete the deleted row
    // stays current (deletedCurrent_) until the next move.
    void Attach(std::shared_ptr<RowStore> store, const std::string& source,
                ConnectionPtr connection, LockTypeEnum lockType);
    void RequireOpen() const;
    long CurrentRow() const; // row id of the current record; 3021 when there is none
    void SyncView() const;
    void RebuildView(bool keepCurrent);
    void GoTo(long index);
    void BeginEdit();
    // The cell of row `id` to put a new value in; its old value is kept for CancelUpdate.
    foxdb::Value& EditCell(long id, int column);
    void FinishEdit();
    long RowOfBookmark(const Variant& bookmark) const;
    long StartIndex(const Variant& start) const;
    std::shared_ptr<RowStore> LoadFile(const std::string& path) const;
    // The rows of a statement; nullptr for a statement that returns none.
    std::shared_ptr<RowStore> RunStatement(const std::string& text, long options) const;
    void ParseSort();
    bool InFilter(long row) const;
    // The only rows a text equality filter can pass, when its column is indexed; else nullptr.
    const std::vector<long>* FilterCandidates();
    std::vector<long> AffectedRows(AffectEnum affect) const;
    void RequireUpdatable() const;

    std::shared_ptr<RowStore> store_;
    ConnectionPtr connection_;
    CursorTypeEnum cursorType_ = adOpenForwardOnly;
    LockTypeEnum lockType_ = adLockReadOnly;
    CursorLocationEnum cursorLocation_ = adUseServer;
    std::string source_;
    long options_ = adCmdText; // how Source was opened, for Requery
    Variant filter_ = Variant(0);
    std::shared_ptr<const Criteria> filterCriteria_; // when filter_ is a criteria string
    std::string sort_;
    std::vector<std::pair<int, bool>> sortKeys_; // column, descending
    ado::Fields fields_;

    mutable std::vector<long> view_;
    mutable long pos_ = -1;
    mutable long deletedCurrent_ = -1;
    mutable uint64_t seenGeneration_ = 0;
    EditModeEnum editMode_ = adEditNone;
    long editRow_ = -1;
    long beforeAddRow_ = -1; // the record current before AddNew, for CancelUpdate
    struct EditBackup;
    std::unique_ptr<EditBackup> editBackup_;
};

} // namespace ado
