#include "ado/recordset.h"

#include "ado/adtg.h"
#include "ado/batch_save.h"
#include "ado/connection.h"
#include "ado/criteria.h"
#include "ado/engine_error.h"
#include "ado/row_store.h"
#include "foxdb/database.h"
#include "platform/files.h"

#include <algorithm>
#include <cmath>
#include <strings.h>

namespace ado {
namespace {

const char* const kSource = "ADODB.Recordset";

[[noreturn]] void Fail(ErrorValueEnum number) {
    throw ComError::Ado(number, kSource);
}

std::string Trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return std::string();
    return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

} // namespace

// What CancelUpdate puts back: whether the row had edited values before, the
// earlier values of the cells changed since (in the order of the changes), its status.
struct Recordset::EditBackup {
    bool hadCurrent = false;
    std::vector<std::pair<size_t, foxdb::Value>> cells;
    int status = 0;
};

Recordset::Recordset() : fields_(this) {}

Recordset::~Recordset() {
    if (connection_) connection_->Unregister(this);
}

// --- Set-up --------------------------------------------------------------------

void Recordset::PutActiveConnection(ConnectionPtr connection) {
    if (connection_ == connection) return;
    if (IsOpen() && connection_) connection_->Unregister(this);
    connection_ = std::move(connection);
    if (IsOpen() && connection_) connection_->Register(this);
}

CursorTypeEnum Recordset::CursorType() const {
    return IsOpen() ? adOpenStatic : cursorType_;
}

void Recordset::PutCursorType(CursorTypeEnum type) {
    if (IsOpen()) Fail(adErrObjectOpen);
    cursorType_ = type;
}

LockTypeEnum Recordset::LockType() const {
    return lockType_;
}

void Recordset::PutLockType(LockTypeEnum type) {
    if (IsOpen()) Fail(adErrObjectOpen);
    lockType_ = type;
}

void Recordset::PutCursorLocation(CursorLocationEnum location) {
    if (IsOpen()) Fail(adErrObjectOpen);
    cursorLocation_ = location;
}

void Recordset::PutSource(const std::string& source) {
    if (IsOpen()) Fail(adErrObjectOpen);
    source_ = source;
}

// --- Open and close ------------------------------------------------------------

void Recordset::Open(const std::string& source, ConnectionPtr connection, CursorTypeEnum cursorType,
                     LockTypeEnum lockType, long options) {
    if (IsOpen()) Fail(adErrObjectOpen);
    if (cursorType != adOpenUnspecified) cursorType_ = cursorType;
    if (lockType != adLockUnspecified) lockType_ = lockType;
    if (connection) PutActiveConnection(std::move(connection));
    std::string text = source.empty() ? source_ : source;
    if (options == adCmdUnspecified || options == adCmdUnknown)
        options = connection_ && connection_->State() == adStateOpen ? adCmdText : adCmdFile;
    options_ = options;
    std::shared_ptr<RowStore> store =
        (options & adCmdFile) ? LoadFile(text) : RunStatement(text, options);
    if (!store) { // a statement without rows leaves the recordset closed
        source_ = text;
        return;
    }
    Attach(std::move(store), text, connection_, lockType_);
}

std::shared_ptr<RowStore> Recordset::LoadFile(const std::string& path) const {
    std::string bytes;
    if (path.empty() || !platform::ReadFileBytes(platform::ResolvePathNoCase(path), bytes))
        Fail(adErrOpeningFile);
    return ReadTableGram(bytes);
}

std::shared_ptr<RowStore> Recordset::RunStatement(const std::string& text, long options) const {
    if (!connection_ || connection_->State() != adStateOpen) Fail(adErrInvalidConnection);
    std::string statement = (options & adCmdTable) ? "select * from " + text : text;
    foxdb::ResultSet result;
    try {
        connection_->Database().Execute(statement, &result);
    } catch (const foxdb::Error& e) {
        throw EngineError(e);
    }
    if (result.columns.empty()) return nullptr; // not a rows-returning statement
    return StoreFromResult(std::move(result));
}

void Recordset::OpenResult(foxdb::ResultSet result, const std::string& source,
                           ConnectionPtr connection, LockTypeEnum lockType) {
    if (IsOpen()) Fail(adErrObjectOpen);
    if (connection) PutActiveConnection(std::move(connection));
    options_ = adCmdText;
    Attach(StoreFromResult(std::move(result)), source, connection_, lockType);
}

void Recordset::Attach(std::shared_ptr<RowStore> store, const std::string& source,
                       ConnectionPtr connection, LockTypeEnum lockType) {
    // The client cursor edits in batches only; pessimistic and immediate locking
    // become batch-optimistic, as the cursor service substituted them.
    lockType_ = lockType == adLockReadOnly || lockType == adLockUnspecified ? adLockReadOnly
                                                                            : adLockBatchOptimistic;
    store_ = std::move(store);
    source_ = source;
    connection_ = std::move(connection);
    if (connection_) connection_->Register(this);
    fields_.Reset(static_cast<int>(store_->columns.size()));
    filter_ = Variant(0);
    filterCriteria_.reset();
    editMode_ = adEditNone;
    editRow_ = -1;
    editBackup_.reset();
    try {
        ParseSort();
    } catch (const ComError&) {
        sort_.clear();
        sortKeys_.clear();
    }
    RebuildView(false);
}

void Recordset::Close() {
    if (!IsOpen()) Fail(adErrObjectClosed);
    if (connection_) connection_->Unregister(this);
    store_.reset();
    fields_.Reset(0);
    view_.clear();
    pos_ = -1;
    deletedCurrent_ = -1;
    editMode_ = adEditNone;
    editRow_ = -1;
    editBackup_.reset();
    filter_ = Variant(0);
    filterCriteria_.reset();
}

long Recordset::State() const {
    return IsOpen() ? adStateOpen : adStateClosed;
}

// --- The view ------------------------------------------------------------------

void Recordset::RequireOpen() const {
    if (!IsOpen()) Fail(adErrObjectClosed);
    SyncView();
}

void Recordset::RequireUpdatable() const {
    RequireOpen();
    if (lockType_ == adLockReadOnly)
        throw ComError(AdoHr(adErrFeatureNotAvailable),
                       "Current Recordset does not support updating. This may be a limitation "
                       "of the provider, or of the selected locktype.",
                       kSource);
}

void Recordset::SyncView() const {
    if (store_ && seenGeneration_ != store_->generation)
        const_cast<Recordset*>(this)->RebuildView(true);
}

bool Recordset::InFilter(long id) const {
    const Row& row = store_->rows[static_cast<size_t>(id)];
    if (row.gone) return false;
    if (filter_.vt() == VT_BSTR)
        return !(row.status & adRecDeleted) && filterCriteria_->Matches(row.Values());
    switch (filter_.ToLong()) {
    case adFilterPendingRecords:
        return row.Pending();
    case adFilterAffectedRecords:
        return row.affected;
    case adFilterConflictingRecords:
        return (row.status & adRecConcurrencyViolation) != 0;
    default:
        return !(row.status & adRecDeleted);
    }
}

const std::vector<long>* Recordset::FilterCandidates() {
    if (!filterCriteria_) return nullptr;
    std::optional<Criteria::TextEquality> equality = filterCriteria_->SingleTextEquality();
    if (!equality) return nullptr;
    return store_->equalityIndex.Candidates(*store_, equality->column, equality->key);
}

void Recordset::RebuildView(bool keepCurrent) {
    long current = -1;
    if (keepCurrent && pos_ >= 0 && pos_ < static_cast<long>(view_.size()))
        current = view_[static_cast<size_t>(pos_)];
    bool wasEof = keepCurrent && !view_.empty() && pos_ >= static_cast<long>(view_.size());
    view_.clear();
    // Ascending ids either way, so the stable sort below orders ties as a scan would.
    if (const std::vector<long>* candidates = FilterCandidates()) {
        for (long id : *candidates)
            if (InFilter(id)) view_.push_back(id);
    } else {
        for (long id = 0; id < static_cast<long>(store_->rows.size()); ++id)
            if (InFilter(id)) view_.push_back(id);
    }
    if (!sortKeys_.empty()) {
        const auto& rows = store_->rows;
        const auto& columns = store_->columns;
        std::stable_sort(view_.begin(), view_.end(), [&](long a, long b) {
            const auto& va = rows[static_cast<size_t>(a)].Values();
            const auto& vb = rows[static_cast<size_t>(b)].Values();
            for (auto [column, descending] : sortKeys_) {
                size_t c = static_cast<size_t>(column);
                int r = CompareStored(columns[c], va[c], vb[c]);
                if (r != 0) return descending ? r > 0 : r < 0;
            }
            return false;
        });
    }
    deletedCurrent_ = -1;
    seenGeneration_ = store_->generation;
    pos_ = view_.empty() ? -1 : 0;
    if (current >= 0) {
        auto it = std::find(view_.begin(), view_.end(), current);
        if (it != view_.end()) pos_ = it - view_.begin();
    } else if (wasEof) {
        pos_ = static_cast<long>(view_.size());
    }
}

long Recordset::CurrentRow() const {
    if (deletedCurrent_ >= 0 || pos_ < 0 || pos_ >= static_cast<long>(view_.size()))
        Fail(adErrNoCurrentRecord);
    long id = view_[static_cast<size_t>(pos_)];
    if (store_->rows[static_cast<size_t>(id)].status & adRecDeleted) Fail(adErrNoCurrentRecord);
    return id;
}

void Recordset::GoTo(long index) {
    long size = static_cast<long>(view_.size());
    pos_ = index < 0 ? -1 : index > size ? size : index;
    deletedCurrent_ = -1;
}

// --- Size and position ---------------------------------------------------------

long Recordset::RecordCount() const {
    RequireOpen();
    return static_cast<long>(view_.size());
}

bool Recordset::BOF() const {
    RequireOpen();
    if (deletedCurrent_ >= 0) return false;
    return view_.empty() || pos_ < 0;
}

bool Recordset::EndOfFile() const {
    RequireOpen();
    if (deletedCurrent_ >= 0) return false;
    return view_.empty() || pos_ >= static_cast<long>(view_.size());
}

void Recordset::MoveFirst() {
    RequireOpen();
    FinishEdit();
    if (view_.empty()) Fail(adErrNoCurrentRecord);
    GoTo(0);
}

void Recordset::MoveLast() {
    RequireOpen();
    FinishEdit();
    if (view_.empty()) Fail(adErrNoCurrentRecord);
    GoTo(static_cast<long>(view_.size()) - 1);
}

void Recordset::MoveNext() {
    RequireOpen();
    FinishEdit();
    if (deletedCurrent_ >= 0) { // the record after the deleted one already sits at pos_
        GoTo(pos_);
        return;
    }
    if (EndOfFile()) Fail(adErrNoCurrentRecord);
    GoTo(pos_ + 1);
}

void Recordset::MovePrevious() {
    RequireOpen();
    FinishEdit();
    if (deletedCurrent_ >= 0) {
        GoTo(pos_ - 1);
        return;
    }
    if (BOF()) Fail(adErrNoCurrentRecord);
    GoTo(pos_ - 1);
}

long Recordset::StartIndex(const Variant& start) const {
    if (start.vt() == VT_I4 || start.vt() == VT_I2) {
        switch (start.ToLong()) {
        case adBookmarkCurrent:
            return pos_;
        case adBookmarkFirst:
            return 0;
        case adBookmarkLast:
            return static_cast<long>(view_.size()) - 1;
        default:
            Fail(adErrInvalidArgument);
        }
    }
    long id = RowOfBookmark(start);
    auto it = std::find(view_.begin(), view_.end(), id);
    if (it == view_.end()) Fail(adErrInvalidArgument);
    return it - view_.begin();
}

void Recordset::Move(long n, const Variant& start) {
    RequireOpen();
    FinishEdit();
    if (view_.empty()) Fail(adErrNoCurrentRecord);
    if (!start.IsMissing()) {
        GoTo(StartIndex(start) + n);
        return;
    }
    if (deletedCurrent_ >= 0) {
        if (n == 0) Fail(adErrNoCurrentRecord);
        GoTo(n > 0 ? pos_ + n - 1 : pos_ + n);
        return;
    }
    bool bof = pos_ < 0, eof = pos_ >= static_cast<long>(view_.size());
    if ((n == 0 && (bof || eof)) || (n < 0 && bof) || (n > 0 && eof)) Fail(adErrNoCurrentRecord);
    GoTo(pos_ + n);
}

long Recordset::AbsolutePosition() const {
    RequireOpen();
    if (view_.empty()) return adPosUnknown;
    if (deletedCurrent_ >= 0) return adPosUnknown;
    if (pos_ < 0) return adPosBOF;
    if (pos_ >= static_cast<long>(view_.size())) return adPosEOF;
    return pos_ + 1;
}

void Recordset::PutAbsolutePosition(long position) {
    RequireOpen();
    if (position < 1 || position > static_cast<long>(view_.size())) Fail(adErrInvalidArgument);
    FinishEdit();
    GoTo(position - 1);
}

Variant Recordset::Bookmark() const {
    RequireOpen();
    if (pos_ < 0 || pos_ >= static_cast<long>(view_.size()) || deletedCurrent_ >= 0)
        Fail(adErrNoCurrentRecord);
    return Variant(static_cast<double>(view_[static_cast<size_t>(pos_)] + 1));
}

long Recordset::RowOfBookmark(const Variant& bookmark) const {
    double d;
    try {
        d = bookmark.ToDouble();
    } catch (const ComError&) {
        Fail(adErrInvalidArgument);
    }
    if (bookmark.IsEmpty() || d != std::floor(d) || d < 1 ||
        d > static_cast<double>(store_->rows.size()))
        Fail(adErrInvalidArgument);
    long id = static_cast<long>(d) - 1;
    if (store_->rows[static_cast<size_t>(id)].gone) Fail(adErrInvalidArgument);
    return id;
}

void Recordset::PutBookmark(const Variant& bookmark) {
    RequireOpen();
    long id = RowOfBookmark(bookmark);
    auto it = std::find(view_.begin(), view_.end(), id);
    if (it == view_.end()) Fail(adErrInvalidArgument);
    FinishEdit();
    GoTo(it - view_.begin());
}

// --- Find, Filter, Sort --------------------------------------------------------

void Recordset::Find(const std::string& criteria, long skipRecords, SearchDirectionEnum direction,
                     const Variant& start) {
    RequireOpen();
    auto compiled = Criteria::Parse(criteria, store_->columns, true);
    if (direction != adSearchForward && direction != adSearchBackward) Fail(adErrInvalidArgument);
    if (skipRecords < 0) Fail(adErrInvalidArgument);
    FinishEdit();
    if (view_.empty()) Fail(adErrNoCurrentRecord);
    long size = static_cast<long>(view_.size());
    bool forward = direction == adSearchForward;
    long first;
    if (!start.IsMissing())
        first = StartIndex(start) + (forward ? skipRecords : -skipRecords);
    else if (deletedCurrent_ >= 0) // the deleted record counts as the one skipped first
        first = forward ? pos_ + std::max(skipRecords - 1, 0L)
                        : pos_ - 1 - std::max(skipRecords - 1, 0L);
    else
        first = forward ? pos_ + skipRecords : pos_ - skipRecords;
    if (forward) {
        for (long i = std::max(first, 0L); i < size; ++i)
            if (compiled->Matches(
                    store_->rows[static_cast<size_t>(view_[static_cast<size_t>(i)])].Values())) {
                GoTo(i);
                return;
            }
        GoTo(size);
    } else {
        for (long i = std::min(first, size - 1); i >= 0; --i)
            if (compiled->Matches(
                    store_->rows[static_cast<size_t>(view_[static_cast<size_t>(i)])].Values())) {
                GoTo(i);
                return;
            }
        GoTo(-1);
    }
}

void Recordset::PutFilter(const Variant& filter) {
    RequireOpen();
    if (filter.vt() == VT_BSTR) {
        std::string text = Trim(filter.ToString());
        if (text.empty() || text == "0") { // "0": a none filter read back as text
            filter_ = Variant(0);
            filterCriteria_.reset();
        } else {
            filterCriteria_ = Criteria::Parse(text, store_->columns, false);
            filter_ = filter;
        }
    } else {
        long group;
        try {
            group = filter.ToLong();
        } catch (const ComError&) {
            Fail(adErrInvalidArgument);
        }
        if (group != adFilterNone && group != adFilterPendingRecords &&
            group != adFilterAffectedRecords && group != adFilterFetchedRecords &&
            group != adFilterConflictingRecords)
            Fail(adErrInvalidArgument);
        filter_ = Variant(group == adFilterFetchedRecords ? 0 : static_cast<int>(group));
        filterCriteria_.reset();
    }
    FinishEdit();
    RebuildView(false);
}

void Recordset::ParseSort() {
    sortKeys_.clear();
    std::string rest = sort_;
    while (!Trim(rest).empty()) {
        size_t comma = rest.find(',');
        std::string item = Trim(rest.substr(0, comma));
        rest = comma == std::string::npos ? std::string() : rest.substr(comma + 1);
        bool descending = false;
        size_t blank = item.find_last_of(" \t");
        if (blank != std::string::npos) {
            std::string order = item.substr(blank + 1);
            if (strcasecmp(order.c_str(), "DESC") == 0 || strcasecmp(order.c_str(), "ASC") == 0) {
                descending = strcasecmp(order.c_str(), "DESC") == 0;
                item = Trim(item.substr(0, blank));
            }
        }
        if (item.size() >= 2 && item.front() == '[' && item.back() == ']')
            item = item.substr(1, item.size() - 2);
        int index = fields_.IndexOf(item);
        if (index < 0) throw ComError::Ado(adErrItemNotFound, kSource);
        sortKeys_.emplace_back(index, descending);
    }
}

void Recordset::PutSort(const std::string& sort) {
    if (!IsOpen()) {
        sort_ = Trim(sort);
        return;
    }
    RequireOpen();
    std::string previous = sort_;
    sort_ = Trim(sort);
    try {
        ParseSort();
    } catch (const ComError&) {
        sort_ = previous;
        ParseSort();
        throw;
    }
    FinishEdit();
    RebuildView(true);
}

// --- Editing -------------------------------------------------------------------

void Recordset::BeginEdit() {
    if (editMode_ != adEditNone) return;
    long id = CurrentRow();
    Row& row = store_->rows[static_cast<size_t>(id)];
    editBackup_.reset(new EditBackup{!row.current.empty(), {}, row.status});
    editRow_ = id;
    editMode_ = adEditInProgress;
}

foxdb::Value& Recordset::EditCell(long id, int column) {
    store_->ValuesChanged();
    std::vector<foxdb::Value>& values = store_->rows[static_cast<size_t>(id)].Edit();
    foxdb::Value& cell = values[static_cast<size_t>(column)];
    if (editMode_ == adEditInProgress && editRow_ == id && editBackup_->hadCurrent)
        editBackup_->cells.emplace_back(static_cast<size_t>(column), std::move(cell));
    return cell;
}

void Recordset::FinishEdit() {
    if (editMode_ == adEditNone) return;
    editMode_ = adEditNone;
    editRow_ = -1;
    editBackup_.reset();
}

void Recordset::AddNew() {
    RequireUpdatable();
    FinishEdit();
    beforeAddRow_ = pos_;
    Row row;
    row.original.assign(store_->columns.size(), foxdb::Null{});
    row.status = adRecNew;
    store_->rows.push_back(std::move(row));
    store_->ValuesChanged();
    long id = static_cast<long>(store_->rows.size()) - 1;
    view_.push_back(id);
    seenGeneration_ = ++store_->generation;
    GoTo(static_cast<long>(view_.size()) - 1);
    editMode_ = adEditAdd;
    editRow_ = id;
}

void Recordset::Update() {
    RequireOpen();
    FinishEdit();
}

void Recordset::CancelUpdate() {
    RequireOpen();
    if (editMode_ == adEditAdd) {
        store_->rows[static_cast<size_t>(editRow_)].gone = true;
        auto it = std::find(view_.begin(), view_.end(), editRow_);
        if (it != view_.end()) view_.erase(it);
        seenGeneration_ = ++store_->generation;
        GoTo(beforeAddRow_);
    } else if (editMode_ == adEditInProgress) {
        Row& row = store_->rows[static_cast<size_t>(editRow_)];
        store_->ValuesChanged();
        if (!editBackup_->hadCurrent) {
            row.current.clear();
        } else {
            auto& cells = editBackup_->cells;
            for (auto cell = cells.rbegin(); cell != cells.rend(); ++cell)
                row.current[cell->first] = std::move(cell->second);
        }
        row.status = editBackup_->status;
    }
    editMode_ = adEditNone;
    editRow_ = -1;
    editBackup_.reset();
}

void Recordset::Delete(AffectEnum affect) {
    RequireUpdatable();
    if (affect != adAffectCurrent) Fail(adErrInvalidArgument);
    long id = CurrentRow();
    FinishEdit();
    Row& row = store_->rows[static_cast<size_t>(id)];
    if (row.status & adRecNew) {
        row.gone = true; // never sent: it simply goes
    } else {
        row.status = (row.status & ~(adRecUnmodified | adRecConcurrencyViolation)) | adRecDeleted;
    }
    seenGeneration_ = ++store_->generation;
    if (!row.gone && filter_.vt() != VT_BSTR && filter_.ToLong() == adFilterPendingRecords)
        return; // still visible, with its deleted status
    view_.erase(view_.begin() + pos_);
    deletedCurrent_ = id;
}

std::vector<long> Recordset::AffectedRows(AffectEnum affect) const {
    std::vector<long> ids;
    if (affect == adAffectCurrent) {
        if (deletedCurrent_ >= 0)
            ids.push_back(deletedCurrent_);
        else if (pos_ < 0 || pos_ >= static_cast<long>(view_.size()))
            Fail(adErrNoCurrentRecord);
        else
            ids.push_back(view_[static_cast<size_t>(pos_)]);
    } else if (affect == adAffectGroup) {
        if (filter_.vt() == VT_BSTR || view_.empty()) Fail(adErrInvalidArgument);
        ids = view_;
    } else if (affect == adAffectAll) {
        for (long id = 0; id < static_cast<long>(store_->rows.size()); ++id) {
            const Row& row = store_->rows[static_cast<size_t>(id)];
            if (row.gone) continue;
            // Under a criteria filter only the rows passing it (deleted ones included).
            if (filter_.vt() == VT_BSTR && !filterCriteria_->Matches(row.Values())) continue;
            ids.push_back(id);
        }
    } else {
        Fail(adErrInvalidArgument);
    }
    ids.erase(
        std::remove_if(ids.begin(), ids.end(),
                       [&](long id) { return !store_->rows[static_cast<size_t>(id)].Pending(); }),
        ids.end());
    return ids;
}

void Recordset::UpdateBatch(AffectEnum affect) {
    RequireUpdatable();
    FinishEdit();
    std::vector<long> ids = AffectedRows(affect);
    if (ids.empty()) return;
    if (!connection_ || connection_->State() != adStateOpen) Fail(adErrInvalidConnection);
    try {
        SaveBatch(*store_, ids, connection_->Folder());
    } catch (...) {
        seenGeneration_ = ++store_->generation;
        throw;
    }
    store_->generation++;
    RebuildView(true);
}

void Recordset::CancelBatch(AffectEnum affect) {
    RequireOpen();
    if (editMode_ != adEditNone) CancelUpdate();
    for (Row& row : store_->rows)
        row.affected = false;
    for (long id : AffectedRows(affect)) {
        Row& row = store_->rows[static_cast<size_t>(id)];
        if (row.status & adRecNew) {
            row.gone = true;
            continue;
        }
        row.current.clear();
        row.status = adRecUnmodified;
        row.affected = true;
    }
    store_->ValuesChanged();
    store_->generation++;
    RebuildView(false);
}

long Recordset::Status() const {
    RequireOpen();
    long id = deletedCurrent_;
    if (id < 0) {
        if (pos_ < 0 || pos_ >= static_cast<long>(view_.size())) Fail(adErrNoCurrentRecord);
        id = view_[static_cast<size_t>(pos_)];
    }
    return store_->rows[static_cast<size_t>(id)].status;
}

EditModeEnum Recordset::EditMode() const {
    RequireOpen();
    return editMode_;
}

// --- Other ---------------------------------------------------------------------

std::vector<std::vector<Variant>> Recordset::GetRows(long rows, const Variant& start) {
    RequireOpen();
    FinishEdit();
    long index = start.IsMissing() ? pos_ : StartIndex(start);
    if (deletedCurrent_ >= 0 && start.IsMissing()) deletedCurrent_ = -1;
    long size = static_cast<long>(view_.size());
    if (index < 0 || index >= size) Fail(adErrNoCurrentRecord);
    long end = rows < 0 ? size : std::min(size, index + rows);
    std::vector<std::vector<Variant>> values(store_->columns.size());
    for (size_t c = 0; c < values.size(); ++c) {
        values[c].reserve(static_cast<size_t>(end - index));
        for (long i = index; i < end; ++i)
            values[c].push_back(ToVariant(
                store_->columns[c],
                store_->rows[static_cast<size_t>(view_[static_cast<size_t>(i)])].Values()[c]));
    }
    GoTo(end);
    return values;
}

void Recordset::Requery(long /*options*/) {
    RequireOpen();
    // The new rows are read first: a failing query leaves the recordset as it was.
    std::shared_ptr<RowStore> fresh =
        (options_ & adCmdFile) ? LoadFile(source_) : RunStatement(source_, options_);
    if (!fresh) Fail(adErrInvalidArgument);
    Variant filter = filter_;
    if (connection_) connection_->Unregister(this);
    Attach(std::move(fresh), source_, connection_, lockType_);
    if (filter.vt() == VT_BSTR || filter.ToLong() != adFilterNone) {
        try {
            PutFilter(filter);
        } catch (const ComError&) {
        }
    }
}

RecordsetPtr Recordset::Clone(LockTypeEnum lockType) {
    RequireOpen();
    if (lockType != adLockUnspecified && lockType != adLockReadOnly) Fail(adErrInvalidArgument);
    auto clone = std::make_shared<Recordset>();
    clone->cursorLocation_ = cursorLocation_;
    clone->lockType_ = lockType == adLockReadOnly ? adLockReadOnly : lockType_;
    clone->options_ = options_;
    clone->Attach(store_, source_, connection_, clone->lockType_);
    return clone;
}

void Recordset::Save(const std::string& path, PersistFormatEnum format) {
    RequireOpen();
    if (format != adPersistADTG) Fail(adErrFeatureNotAvailable);
    FinishEdit();
    if (platform::FileExists(path))
        throw ComError(STG_E_FILEALREADYEXISTS, path + " already exists.", kSource);
    std::vector<long> ids;
    for (long id = 0; id < static_cast<long>(store_->rows.size()); ++id) {
        const Row& row = store_->rows[static_cast<size_t>(id)];
        if (row.gone) continue;
        if (filter_.vt() == VT_BSTR && !filterCriteria_->Matches(row.Values())) continue;
        ids.push_back(id);
    }
    if (!platform::WriteFileAtomic(path, WriteTableGram(*store_, ids))) Fail(adErrWriteFile);
    GoTo(view_.empty() ? -1 : 0);
}

ado::Fields& Recordset::Fields() {
    return fields_;
}

} // namespace ado
