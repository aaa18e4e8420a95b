#include "ado/batch_save.h"

#include "ado/com_error.h"
#include "ado/engine_error.h"
#include "foxdb/dbf_table.h"

#include <algorithm>
#include <cmath>

namespace ado {
namespace {

const char* const kSource = "ADODB.Recordset";

[[noreturn]] void NoBaseTable() {
    throw ComError(E_FAIL, "Insufficient base table information for updating or refreshing.",
                   kSource);
}

std::string TrimRight(const std::string& s) {
    size_t e = s.find_last_not_of(' ');
    return e == std::string::npos ? std::string() : s.substr(0, e + 1);
}

double Number(const foxdb::Value& v) {
    if (auto r = std::get_if<double>(&v)) return *r;
    if (auto i = std::get_if<int64_t>(&v)) return static_cast<double>(*i);
    if (auto b = std::get_if<bool>(&v)) return *b ? 1 : 0;
    return 0;
}

// A value as the table takes it: a date with a time of day keeps its day. Assigned,
// so that a text reuses the buffer `out` already has.
void PutForTable(foxdb::Value& out, const ColumnInfo& column, const foxdb::Value& v) {
    bool date = column.type == adDate || column.type == adDBDate || column.type == adDBTimeStamp;
    if (auto r = std::get_if<double>(&v); r && date)
        out = foxdb::Date{static_cast<int32_t>(std::floor(*r)) + foxdb::kJulianDayOfOleZero};
    else
        out = v;
}

foxdb::Value ForTable(const ColumnInfo& column, const foxdb::Value& v) {
    foxdb::Value out;
    PutForTable(out, column, v);
    return out;
}

// Whether a value is the blank one a field without Null support stores for Null.
bool IsBlank(const foxdb::Value& v) {
    if (auto s = std::get_if<std::string>(&v))
        return s->find_first_not_of(' ') == std::string::npos;
    if (auto d = std::get_if<foxdb::Date>(&v)) return d->IsEmpty();
    if (auto b = std::get_if<bool>(&v)) return !*b;
    return Number(v) == 0;
}

// Whether the table's value is still the one the row was read with. Text compares
// without trailing blanks, dates by day, numbers by value; a Null written into a
// field without Null support matches the blank value the table stored for it.
bool SameAsRead(const foxdb::Value& table, const foxdb::Value& read, bool nullable) {
    bool tn = foxdb::IsNull(table), rn = foxdb::IsNull(read);
    if (rn && !tn && !nullable) return IsBlank(table);
    if (tn || rn) return tn == rn;
    auto ts = std::get_if<std::string>(&table);
    auto rs = std::get_if<std::string>(&read);
    if (ts || rs) return ts && rs && TrimRight(*ts) == TrimRight(*rs);
    auto td = std::get_if<foxdb::Date>(&table);
    auto rd = std::get_if<foxdb::Date>(&read);
    if (td || rd) {
        auto day = [](const foxdb::Value& v, const foxdb::Date* d) {
            if (d) return d->julianDay;
            double ole = Number(v);
            return ole == 0 ? 0
                            : static_cast<int32_t>(std::floor(ole)) + foxdb::kJulianDayOfOleZero;
        };
        return day(table, td) == day(read, rd);
    }
    return Number(table) == Number(read);
}

bool Differs(const foxdb::Value& a, const foxdb::Value& b) {
    return !(a == b);
}

} // namespace

void SaveBatch(RowStore& store, const std::vector<long>& rowIds, const std::string& folder) {
    // A result of a join or a grouping has no records to go back to; in a result
    // of one table, changes to computed columns stay in the recordset.
    std::string table = store.BaseTable();
    if (table.empty()) NoBaseTable();
    bool anyWrite = false;
    for (size_t k = 0; k < rowIds.size() && !anyWrite; ++k) {
        const Row& row = store.rows[static_cast<size_t>(rowIds[k])];
        if (row.status & (adRecNew | adRecDeleted)) anyWrite = true;
        for (size_t c = 0; c < store.columns.size() && !anyWrite; ++c)
            if (store.columns[c].baseField >= 0 && Differs(row.Values()[c], row.original[c]))
                anyWrite = true;
    }

    if (anyWrite) {
        std::string path = foxdb::FindTableFile(folder, table);
        if (path.empty())
            throw ComError(E_FAIL, "File '" + table + ".dbf' does not exist.", kSource);
        try {
            foxdb::TableEdit edit(path);
            const foxdb::DbfTable& dbf = edit.Table();

            // The optimistic check: every row to change or delete must still be the
            // record it was read from, in the columns being changed and the key columns.
            std::vector<long> conflicts;
            for (long id : rowIds) {
                const Row& row = store.rows[static_cast<size_t>(id)];
                if (row.status & adRecNew) continue;
                if (row.recno == 0) NoBaseTable();
                bool conflict = row.recno > dbf.RecordCount() || dbf.IsDeleted(row.recno);
                for (size_t c = 0; !conflict && c < store.columns.size(); ++c) {
                    const ColumnInfo& col = store.columns[c];
                    if (col.baseField < 0) continue;
                    bool key = (col.attributes & adFldKeyColumn) ||
                               dbf.Fields()[static_cast<size_t>(col.baseField)].unique;
                    bool changed =
                        !(row.status & adRecDeleted) && Differs(row.Values()[c], row.original[c]);
                    const foxdb::FieldDef& def = dbf.Fields()[static_cast<size_t>(col.baseField)];
                    if ((key || changed) && !SameAsRead(dbf.Get(row.recno, col.baseField),
                                                        row.original[c], def.nullable))
                        conflict = true;
                }
                if (conflict) conflicts.push_back(id);
            }
            if (!conflicts.empty()) {
                for (long id : rowIds)
                    store.rows[static_cast<size_t>(id)].affected = true;
                for (long id : conflicts)
                    store.rows[static_cast<size_t>(id)].status |= adRecConcurrencyViolation;
                throw ComError(kRowChangedSinceRead,
                               "Row cannot be located for updating. Some values may have been "
                               "changed since it was last read.",
                               kSource);
            }

            std::vector<uint32_t> appended(rowIds.size(), 0);
            // The values of a new record, kept from row to row so that texts keep their
            // buffers; a field takes the last column of it that is not Null.
            std::vector<foxdb::Value> values(dbf.Fields().size());
            std::vector<bool> given(values.size());
            edit.ReserveAppends(
                static_cast<size_t>(std::count_if(rowIds.begin(), rowIds.end(), [&](long id) {
                    return (store.rows[static_cast<size_t>(id)].status & adRecNew) != 0;
                })));
            for (size_t k = 0; k < rowIds.size(); ++k) {
                const Row& row = store.rows[static_cast<size_t>(rowIds[k])];
                if (row.status & adRecDeleted) {
                    edit.Delete(row.recno);
                } else if (row.status & adRecNew) {
                    given.assign(given.size(), false);
                    for (size_t c = store.columns.size(); c-- > 0;) {
                        const int field = store.columns[c].baseField;
                        if (field < 0 || given[static_cast<size_t>(field)] ||
                            foxdb::IsNull(row.Values()[c]))
                            continue;
                        PutForTable(values[static_cast<size_t>(field)], store.columns[c],
                                    row.Values()[c]);
                        given[static_cast<size_t>(field)] = true;
                    }
                    for (size_t f = 0; f < values.size(); ++f)
                        if (!given[f]) values[f] = foxdb::Null{};
                    appended[k] = edit.Append(values);
                } else {
                    for (size_t c = 0; c < store.columns.size(); ++c)
                        if (store.columns[c].baseField >= 0 &&
                            Differs(row.Values()[c], row.original[c]))
                            edit.Update(row.recno, store.columns[c].baseField,
                                        ForTable(store.columns[c], row.Values()[c]));
                }
            }
            edit.Commit();
            for (size_t k = 0; k < rowIds.size(); ++k)
                if (appended[k]) store.rows[static_cast<size_t>(rowIds[k])].recno = appended[k];
        } catch (const foxdb::Error& e) {
            throw EngineError(e);
        }
    }

    for (Row& row : store.rows)
        row.affected = false;
    for (long id : rowIds) {
        Row& row = store.rows[static_cast<size_t>(id)];
        row.affected = true;
        if (row.status & adRecDeleted) {
            row.gone = true;
            continue;
        }
        if (!row.current.empty()) row.original = std::move(row.current);
        row.current.clear();
        row.status = adRecUnmodified;
    }
    store.ValuesChanged();
}

} // namespace ado
