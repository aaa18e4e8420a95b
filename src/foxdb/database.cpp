#include "foxdb/database.h"

#include "foxdb/dbf_file.h"
#include "foxdb/record_sort.h"
#include "foxdb/sql_functions.h"
#include "foxdb/sql_parser.h"
#include "foxdb/sql_translate.h"
#include "foxdb/sql_vtab.h"
#include "foxdb/transaction.h"
#include "platform/files.h"
#include "platform/gbk.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <sqlite3.h>

namespace foxdb {

using sql::Type;

namespace {

std::string TableFileName(const std::string& name) {
    std::string lower = name;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    bool hasExtension = lower.size() > 4 && lower.compare(lower.size() - 4, 4, ".dbf") == 0;
    return hasExtension ? name : name + ".dbf";
}

[[noreturn]] void NoSuchTable(const std::string& name) {
    throw Error(ErrorKind::FileNotFound, "File '" + TableFileName(name) + "' does not exist.");
}

// One prepared statement, finalized on every path.
class Statement {
public:
    Statement(sqlite3* db, const std::string& sql) : db_(db) {
        if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt_, nullptr) !=
            SQLITE_OK)
            Fail();
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool Step() {
        int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW) return true;
        if (rc != SQLITE_DONE) Fail();
        return false;
    }
    sqlite3_stmt* get() const { return stmt_; }

private:
    [[noreturn]] void Fail() {
        const std::string message = sqlite3_errmsg(db_);
        // The engine's own limits are reached only by statements too large to run.
        for (const char* limit : {"parser stack overflow", "Expression tree is too large",
                                  "too many terms", "too many arguments", "string or blob too big"})
            if (message.find(limit) != std::string::npos)
                throw Error(ErrorKind::Syntax, "Statement too complex to run.");
        throw Error(ErrorKind::Other, "SQL: " + message);
    }
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

void Exec(sqlite3* db, const std::string& sql) {
    Statement st(db, sql);
    while (st.Step()) {
    }
}

// A value SQLite computed, as the engine's Value of `type`. Result columns of
// text are padded to their width, numbers rounded to their scale.
Value ReadValue(sqlite3_stmt* st, int i, const Type& type, bool forResult) {
    int kind = sqlite3_column_type(st, i);
    if (kind == SQLITE_NULL) return Null{};
    switch (type.kind) {
    case Type::Char: {
        const char* p = static_cast<const char*>(sqlite3_column_blob(st, i));
        const size_t size = static_cast<size_t>(sqlite3_column_bytes(st, i));
        std::string s;
        if (forResult) s.reserve(std::max(size, static_cast<size_t>(std::max(type.width, 0))));
        s.assign(p ? p : "", size);
        if (forResult && type.width > 0) {
            if (s.size() > static_cast<size_t>(type.width))
                s = platform::CutGbkBytes(s, static_cast<size_t>(type.width));
            s.append(static_cast<size_t>(type.width) - s.size(), ' ');
        }
        return s;
    }
    case Type::Numeric: {
        double d = sqlite3_column_double(st, i);
        return forResult ? sql::RoundHalfAway(d, type.scale) : d;
    }
    case Type::Integer:
        if (kind == SQLITE_FLOAT)
            return static_cast<int64_t>(std::llround(sqlite3_column_double(st, i)));
        return static_cast<int64_t>(sqlite3_column_int64(st, i));
    case Type::Double:
        return sqlite3_column_double(st, i);
    case Type::Date:
    case Type::DateTime:
        return Date{static_cast<int32_t>(sqlite3_column_int64(st, i))};
    case Type::Logical:
        return sqlite3_column_int64(st, i) != 0;
    case Type::Null:
        break;
    }
    return Null{};
}

std::string Trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

[[noreturn]] void CannotStore(const std::string& text, const FieldDef& field) {
    throw Error(ErrorKind::TypeMismatch, "Data type mismatch: '" + platform::GbkToUtf8(text) +
                                             "' for field " + field.name + ".");
}

double NumberFromText(const std::string& gbk, const FieldDef& field) {
    std::string t = Trim(gbk);
    if (t.empty()) return 0;
    char* end = nullptr;
    double d = std::strtod(t.c_str(), &end);
    if (end != t.c_str() + t.size() || !std::isfinite(d)) CannotStore(gbk, field);
    return d;
}

// "2024-03-05", "2024/3/5", "20240305", "03/05/2024" or "03/05/24", optionally
// followed by a time; blank is the empty date.
Date DateFromText(const std::string& gbk, const FieldDef& field) {
    std::string t = Trim(gbk);
    if (t.empty()) return Date{};
    size_t space = t.find(' ');
    if (space != std::string::npos) t = t.substr(0, space);
    int y = 0, m = 0, d = 0;
    char sep1 = 0, sep2 = 0;
    int used = 0;
    if (t.size() == 8 && t.find_first_not_of("0123456789") == std::string::npos) {
        y = std::atoi(t.substr(0, 4).c_str());
        m = std::atoi(t.substr(4, 2).c_str());
        d = std::atoi(t.substr(6, 2).c_str());
    } else if (std::sscanf(t.c_str(), "%d%c%d%c%d%n", &y, &sep1, &m, &sep2, &d, &used) == 5 &&
               used == static_cast<int>(t.size()) && sep1 == sep2 &&
               (sep1 == '-' || sep1 == '/' || sep1 == '.')) {
        if (y <= 31 && sep1 == '/') { // month/day/year
            int month = y, day = m, year = d;
            y = year < 100 ? year + (year < 50 ? 2000 : 1900) : year;
            m = month;
            d = day;
        }
    } else {
        CannotStore(gbk, field);
    }
    if (!IsValidCivil(y, m, d)) CannotStore(gbk, field);
    return Date{JulianDayFromCivil(y, m, d)};
}

[[noreturn]] void Mismatch(const FieldDef& field) {
    throw Error(ErrorKind::TypeMismatch, "Data type mismatch for field " + field.name + ".");
}

// A computed value ready for a field: quoted text goes into numbers, dates and
// logicals by the field's type, as the driver accepted it.
Value ForField(const Value& v, const FieldDef& field) {
    if (IsNull(v)) {
        if (!field.nullable)
            throw Error(ErrorKind::Other, "Field " + field.name + " does not accept null values.");
        return v;
    }
    const std::string* text = std::get_if<std::string>(&v);
    const int64_t* integer = std::get_if<int64_t>(&v);
    const double* number = std::get_if<double>(&v);
    switch (field.type) {
    case 'C':
    case 'V':
    case 'M':
        if (!text) Mismatch(field);
        return field.type == 'C' ? platform::CutGbkBytes(*text, static_cast<size_t>(field.length))
                                 : *text;
    case 'I': {
        double d = text      ? NumberFromText(*text, field)
                   : integer ? static_cast<double>(*integer)
                   : number  ? *number
                             : (Mismatch(field), 0.0);
        return static_cast<int64_t>(sql::RoundHalfAway(d, 0));
    }
    case 'N':
    case 'F':
    case 'B':
    case 'Y':
        if (text) return NumberFromText(*text, field);
        if (integer) return static_cast<double>(*integer);
        if (number) return *number;
        Mismatch(field);
    case 'D':
    case 'T':
        if (text) return DateFromText(*text, field);
        if (std::holds_alternative<Date>(v)) return v;
        Mismatch(field);
    case 'L': {
        if (const auto* b = std::get_if<bool>(&v)) return *b;
        if (integer) return *integer != 0;
        if (!text) Mismatch(field);
        std::string t = Trim(*text);
        for (char& c : t)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (t == "T" || t == ".T." || t == "Y" || t == ".Y." || t == "1") return true;
        if (t.empty() || t == "F" || t == ".F." || t == "N" || t == ".N." || t == "0") return false;
        CannotStore(*text, field);
    }
    default:
        return v;
    }
}

int FieldIndexOf(const std::vector<FieldDef>& fields, const std::string& name) {
    auto fold = [](std::string s) {
        for (char& c : s)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return s;
    };
    for (size_t i = 0; i < fields.size(); ++i)
        if (fold(fields[i].name) == fold(name)) return static_cast<int>(i);
    throw Error(ErrorKind::UnknownColumn, "SQL: Column '" + name + "' is not found.");
}

} // namespace

struct Database::Impl {
    std::string folder;
    sqlite3* db = nullptr;
    std::map<std::string, std::unique_ptr<sql::DbfSlot>> slots; // by path
    std::vector<sql::DbfSlot*> byId;
    std::set<sql::DbfSlot*> fresh; // looked at during the current statement
    int nextVtab = 0;

    sql::DbfSlot* Slot(const std::string& path) {
        auto& slot = slots[path];
        if (!slot) {
            slot = std::make_unique<sql::DbfSlot>(path);
            byId.push_back(slot.get());
        }
        return slot.get();
    }

    int IdOf(const sql::DbfSlot* slot) const {
        for (size_t i = 0; i < byId.size(); ++i)
            if (byId[i] == slot) return static_cast<int>(i);
        return -1;
    }

    void DropVtab(sql::DbfSlot* slot) {
        if (slot->vtabName.empty()) return;
        Exec(db, "DROP TABLE IF EXISTS temp.\"" + slot->vtabName + "\"");
        slot->vtabName.clear();
    }

    sql::TableInfo Resolve(const sql::TableRef& ref) {
        std::string path = FindTableFile(folder, ref.name);
        if (path.empty()) NoSuchTable(ref.name);
        sql::DbfSlot* slot = Slot(path);
        if (!fresh.count(slot)) {
            bool changed = slot->Refresh();
            fresh.insert(slot);
            if (changed || slot->vtabName.empty()) {
                DropVtab(slot);
                std::string name = "dbf" + std::to_string(nextVtab++);
                Exec(db, "CREATE VIRTUAL TABLE temp.\"" + name + "\" USING foxdbf(" +
                             std::to_string(IdOf(slot)) + ")");
                slot->vtabName = name;
            }
        }
        return sql::TableInfo{slot->vtabName, path, &slot->Table().Fields()};
    }

    sql::TableResolver Resolver() {
        return [this](const sql::TableRef& ref) { return Resolve(ref); };
    }

    // Commits an edit begun on a slot's table and gives the slot the table written,
    // so the next statement need not read it again.
    void Commit(TableEdit& edit, const std::string& path) {
        edit.Commit();
        Slot(path)->Keep(edit.Release());
    }

    ResultSet RunSelect(const sql::Select& select) {
        sql::SelectPlan plan = sql::TranslateSelect(select, Resolver());
        ResultSet result;
        for (const auto& c : plan.columns) {
            ResultColumn rc;
            rc.name = c.name;
            sql::AdoShape shape = sql::ToAdo(c.type);
            rc.type = shape.type;
            rc.definedSize = shape.definedSize;
            rc.precision = shape.precision;
            rc.scale = shape.scale;
            rc.nullable = c.nullable;
            rc.baseTable = c.baseTable;
            rc.baseField = c.baseField;
            result.columns.push_back(std::move(rc));
        }
        result.table = plan.table;
        if (CountWholeTable(select, plan, result)) return result;
        if (ReadPlainColumns(select, plan, result)) return result;
        Statement st(db, plan.sql);
        const int n = static_cast<int>(plan.columns.size());
        while (st.Step()) {
            std::vector<Value> row;
            row.reserve(plan.columns.size());
            for (int i = 0; i < n; ++i)
                row.push_back(ReadValue(st.get(), i, plan.columns[i].type, true));
            result.rows.push_back(std::move(row));
            if (plan.withRecno)
                result.recnos.push_back(static_cast<uint32_t>(sqlite3_column_int64(st.get(), n)));
        }
        return result;
    }

    // "select count(*) from t" and nothing more: the slot knows its live records,
    // so a large table is not walked record by record for one number.
    bool CountWholeTable(const sql::Select& select, const sql::SelectPlan& plan,
                         ResultSet& result) {
        if (select.distinct || select.from.size() != 1 || select.where || select.having ||
            !select.groupBy.empty() || !select.orderBy.empty() || select.items.size() != 1 ||
            plan.columns.size() != 1 || plan.columns[0].type.kind != Type::Integer)
            return false;
        const sql::Expr* item = select.items[0].expr.get();
        if (!item || item->kind != sql::Expr::Kind::Aggregate || item->op != "COUNT" ||
            !item->args.empty())
            return false;
        sql::DbfSlot* slot = Slot(Resolve(select.from[0]).path);
        result.rows.push_back({Value{int64_t{slot->LiveCount()}}});
        return true;
    }

    // A statement of one table whose every column is a plain field of a kind
    // ReadRecordValue reads, in any order: SQLite only picks the records and their
    // order by a statement giving just their numbers (without WHERE and ORDER BY it
    // is every live record in turn), and the values come straight from the records,
    // as the virtual table would hand them through SQLite. False when it is not such
    // a statement, or a record cannot be read this way (SQLite's way then reports it).
    bool ReadPlainColumns(const sql::Select& select, const sql::SelectPlan& plan,
                          ResultSet& result) {
        if (select.distinct || !plan.withRecno) return false;
        // SQLite refuses a statement wider than its limit (the columns and the record
        // number); that stays its answer.
        if (plan.columns.size() + 1 >
            static_cast<size_t>(sqlite3_limit(db, SQLITE_LIMIT_COLUMN, -1)))
            return false;
        const auto* file = dynamic_cast<const DbfFile*>(&Slot(plan.table)->Table());
        if (!file) return false;
        const std::vector<FieldSlot>& slots = file->Layout().fields;
        std::vector<const FieldSlot*> read;
        for (const sql::OutputColumn& column : plan.columns) {
            if (column.baseTable != plan.table || column.baseField < 0 ||
                static_cast<size_t>(column.baseField) >= slots.size())
                return false;
            const FieldSlot& slot = slots[static_cast<size_t>(column.baseField)];
            const char type = slot.def.type;
            const sql::Type::Kind kind = column.type.kind;
            if (!((type == 'C' && kind == sql::Type::Char) ||
                  ((type == 'N' || type == 'F') && kind == sql::Type::Numeric) ||
                  (type == 'I' && kind == sql::Type::Integer) ||
                  (type == 'D' && kind == sql::Type::Date)))
                return false;
            read.push_back(&slot);
        }
        try {
            if (select.where || select.having || !select.orderBy.empty()) {
                // Sorted here by the keys alone when SQLite would sort by bare fields.
                const bool sortHere = !plan.sortFields.empty();
                Statement st(db, sortHere ? plan.unsortedRecnoSql : plan.recnoSql);
                while (st.Step())
                    result.recnos.push_back(
                        static_cast<uint32_t>(sqlite3_column_int64(st.get(), 0)));
                if (sortHere && !SortRecords(*file, plan.sortFields, result.recnos)) {
                    result.recnos.clear();
                    Statement sorted(db, plan.recnoSql);
                    while (sorted.Step())
                        result.recnos.push_back(
                            static_cast<uint32_t>(sqlite3_column_int64(sorted.get(), 0)));
                }
            } else {
                const uint32_t count = file->RecordCount();
                for (uint32_t recno = 1; recno <= count; ++recno)
                    if (!file->IsDeleted(recno)) result.recnos.push_back(recno);
            }
            result.rows.reserve(result.recnos.size());
            for (const uint32_t recno : result.recnos) {
                const char* record = file->RecordBytes(recno);
                std::vector<Value>& row = result.rows.emplace_back(read.size());
                for (size_t i = 0; i < read.size(); ++i)
                    ReadRecordValue(file->Layout(), record, *read[i], plan.columns[i].type, row[i]);
            }
            file->CheckIntact();
        } catch (const std::exception&) {
            result.rows.clear();
            result.recnos.clear();
            return false;
        }
        return true;
    }

    // The value ReadValue makes of what the virtual table gives SQLite for the field,
    // into `value` (Null before): text without its trailing blanks and NULs, padded
    // again to the width; numbers rounded to the scale.
    static void ReadRecordValue(const DbfLayout& layout, const char* record, const FieldSlot& slot,
                                const Type& type, Value& value) {
        if (type.kind == Type::Char) {
            if (layout.IsNull(record, slot)) return;
            std::string_view raw = RawFieldBytes(layout, record, slot);
            const size_t size = sql::TrimmedLength(raw);
            std::string& text = value.emplace<std::string>(
                std::max(size, static_cast<size_t>(std::max(type.width, 0))), ' ');
            std::memcpy(text.data(), raw.data(), size);
            return;
        }
        const Value v = DecodeField(layout, record, slot);
        if (IsNull(v)) return;
        const double* d = std::get_if<double>(&v);
        const int64_t* i = std::get_if<int64_t>(&v);
        if (type.kind == Type::Numeric && d && std::isfinite(*d))
            value = sql::RoundHalfAway(*d, type.scale);
        else if (type.kind == Type::Numeric && i)
            value = sql::RoundHalfAway(static_cast<double>(*i), type.scale);
        else if (type.kind == Type::Integer && i)
            value = *i;
        else if (type.kind == Type::Date && std::holds_alternative<Date>(v))
            value = std::get<Date>(v);
        else
            throw Error(ErrorKind::Other, "unexpected value"); // SQLite's way decides
    }

    long RunUpdate(const sql::Statement& s) {
        std::vector<const sql::Expr*> values;
        for (const auto& a : s.sets)
            values.push_back(a.value.get());
        sql::RowPlan plan = sql::TranslateRows(s.table, values, s.where.get(), Resolver());
        const auto& fields = *plan.table.fields;
        std::vector<int> targets;
        for (const auto& a : s.sets)
            targets.push_back(FieldIndexOf(fields, a.field));
        struct Change {
            uint32_t recno;
            std::vector<Value> values;
        };
        std::vector<Change> changes;
        {
            Statement st(db, plan.sql);
            while (st.Step()) {
                Change c{static_cast<uint32_t>(sqlite3_column_int64(st.get(), 0)), {}};
                for (size_t i = 0; i < targets.size(); ++i)
                    c.values.push_back(ForField(
                        ReadValue(st.get(), static_cast<int>(i) + 1, plan.valueTypes[i], false),
                        fields[targets[i]]));
                changes.push_back(std::move(c));
            }
        }
        if (changes.empty()) return 0;
        TableEdit edit(plan.table.path, Slot(plan.table.path)->Take());
        for (const Change& c : changes)
            for (size_t i = 0; i < targets.size(); ++i)
                edit.Update(c.recno, targets[i], c.values[i]);
        Commit(edit, plan.table.path);
        return static_cast<long>(changes.size());
    }

    long RunDelete(const sql::Statement& s) {
        sql::RowPlan plan = sql::TranslateRows(s.table, {}, s.where.get(), Resolver());
        std::vector<uint32_t> recnos;
        {
            Statement st(db, plan.sql);
            while (st.Step())
                recnos.push_back(static_cast<uint32_t>(sqlite3_column_int64(st.get(), 0)));
        }
        if (recnos.empty()) return 0;
        TableEdit edit(plan.table.path, Slot(plan.table.path)->Take());
        for (uint32_t r : recnos)
            edit.Delete(r);
        Commit(edit, plan.table.path);
        return static_cast<long>(recnos.size());
    }

    long RunInsert(const sql::Statement& s) {
        sql::TableInfo table = Resolve(s.table);
        const auto& fields = *table.fields;
        std::vector<int> targets;
        if (s.fields.empty()) {
            for (size_t i = 0; i < s.values.size() && i < fields.size(); ++i)
                targets.push_back(static_cast<int>(i));
        } else {
            for (const auto& name : s.fields)
                targets.push_back(FieldIndexOf(fields, name));
        }
        if (targets.size() != s.values.size())
            throw Error(ErrorKind::Syntax, "SQL: INSERT names " + std::to_string(targets.size()) +
                                               " fields but gives " +
                                               std::to_string(s.values.size()) + " values.");
        std::vector<const sql::Expr*> values;
        for (const auto& v : s.values)
            values.push_back(v.get());
        sql::RowPlan plan = sql::TranslateValues(values);
        std::vector<Value> record(fields.size(), Null{});
        {
            Statement st(db, plan.sql);
            if (!st.Step()) return 0;
            for (size_t i = 0; i < targets.size(); ++i)
                record[targets[i]] =
                    ForField(ReadValue(st.get(), static_cast<int>(i), plan.valueTypes[i], false),
                             fields[targets[i]]);
        }
        TableEdit edit(table.path, Slot(table.path)->Take());
        edit.Append(record);
        Commit(edit, table.path);
        return 1;
    }

    long Run(const sql::Statement& parsed, ResultSet* result);

    void RunDrop(const sql::Statement& s) {
        std::string path = FindTableFile(folder, s.table.name);
        if (path.empty()) NoSuchTable(s.table.name);
        auto it = slots.find(path);
        if (it != slots.end()) {
            DropVtab(it->second.get());
            it->second->Forget();
        }
        size_t slash = path.find_last_of('/');
        std::string dir = slash == std::string::npos ? "." : path.substr(0, slash);
        std::string base = path.substr(slash == std::string::npos ? 0 : slash + 1);
        base = base.substr(0, base.size() - 4);
        if (!platform::DeleteFile(path))
            throw Error(ErrorKind::Io, "Cannot delete file '" + path + "'.");
        for (const char* ext : {".cdx", ".fpt"}) {
            std::string companion = platform::FindFileNoCase(dir, base + ext);
            if (!companion.empty()) platform::DeleteFile(companion);
        }
    }
};

Database::Database(std::string folder) : impl_(std::make_unique<Impl>()) {
    impl_->folder = std::move(folder);
    RecoverTransaction(impl_->folder); // one a crash cut short
    if (sqlite3_open_v2(":memory:", &impl_->db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK)
        throw Error(ErrorKind::Other, "Cannot start the statement engine.");
    sql::RegisterFunctions(impl_->db);
    Impl* impl = impl_.get();
    sql::RegisterDbfModule(impl_->db, [impl](int id) -> sql::DbfSlot* {
        return id >= 0 && static_cast<size_t>(id) < impl->byId.size() ? impl->byId[id] : nullptr;
    });
    Exec(impl_->db, "PRAGMA temp_store=MEMORY");
    Exec(impl_->db, "PRAGMA cache_size=-65536");
}

Database::~Database() {
    if (impl_ && impl_->db) sqlite3_close_v2(impl_->db);
}

const std::string& Database::Folder() const {
    return impl_->folder;
}

ResultSet Database::Query(const std::string& statement) {
    ResultSet result;
    sql::Statement parsed = sql::Parse(statement);
    if (parsed.kind != sql::Statement::Kind::Select)
        throw Error(ErrorKind::Syntax, "SQL: Only a SELECT gives records.");
    impl_->Run(parsed, &result);
    return result;
}

long Database::Execute(const std::string& statement, ResultSet* result) {
    return impl_->Run(sql::Parse(statement), result);
}

long Database::Impl::Run(const sql::Statement& parsed, ResultSet* result) {
    fresh.clear();
    try {
        switch (parsed.kind) {
        case sql::Statement::Kind::Select: {
            ResultSet rs = RunSelect(*parsed.select);
            if (result) *result = std::move(rs);
            return 0;
        }
        case sql::Statement::Kind::Update:
            return RunUpdate(parsed);
        case sql::Statement::Kind::Delete:
            return RunDelete(parsed);
        case sql::Statement::Kind::Insert:
            return RunInsert(parsed);
        case sql::Statement::Kind::CreateTable:
            CreateTable(folder, parsed.table.name, ParseFieldList(parsed.definition));
            return 0;
        case sql::Statement::Kind::DropTable:
            RunDrop(parsed);
            return 0;
        }
    } catch (const Error&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw Error(ErrorKind::Other, "Out of memory.");
    } catch (const std::exception& e) {
        throw Error(ErrorKind::Other, e.what());
    }
    return 0;
}

std::vector<std::string> Database::TableNames() const {
    std::vector<std::string> names;
    for (const std::string& file : platform::ListFiles(impl_->folder, "*.dbf"))
        names.push_back(file.substr(0, file.size() - 4));
    return names;
}

} // namespace foxdb
