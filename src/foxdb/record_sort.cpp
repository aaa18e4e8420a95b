#include "foxdb/record_sort.h"

#include "foxdb/sql_vtab.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace foxdb {
namespace {

// One field's value of one record as SQLite compares it.
struct Key {
    enum Class : uint8_t { kNull, kNumber, kText } kind = kNull;
    double number = 0;
    std::string_view text;
};

Key KeyOf(const DbfTable& table, uint32_t recno, int field, bool text) {
    Key key;
    if (text) {
        if (table.FieldIsNull(recno, field)) return key;
        const std::string_view raw = table.RawField(recno, field);
        key.kind = Key::kText;
        key.text = raw.substr(0, sql::TrimmedLength(raw));
        return key;
    }
    const Value v = table.Get(recno, field);
    if (const auto* d = std::get_if<double>(&v)) {
        if (std::isnan(*d)) return key; // SQLite takes NaN for NULL
        key.number = *d;
    } else if (const auto* i = std::get_if<int64_t>(&v)) {
        key.number = static_cast<double>(*i);
    } else if (const auto* date = std::get_if<Date>(&v)) {
        key.number = date->julianDay;
    } else {
        return key;
    }
    key.kind = Key::kNumber;
    return key;
}

int Compare(const Key& a, const Key& b) {
    if (a.kind != b.kind) return a.kind < b.kind ? -1 : 1;
    if (a.kind == Key::kNumber) return a.number < b.number ? -1 : b.number < a.number ? 1 : 0;
    if (a.kind == Key::kText) {
        const int c = a.text.compare(b.text);
        return c < 0 ? -1 : c > 0 ? 1 : 0;
    }
    return 0;
}

} // namespace

bool SortRecords(const DbfTable& table, const std::vector<sql::SortField>& fields,
                 std::vector<uint32_t>& recnos) {
    const auto& defs = table.Fields();
    for (const sql::SortField& f : fields) {
        if (f.field < 0 || static_cast<size_t>(f.field) >= defs.size()) return false;
        const char type = defs[static_cast<size_t>(f.field)].type;
        if (type != 'C' && type != 'N' && type != 'F' && type != 'I' && type != 'D') return false;
    }
    // The keys of every record first, read in the order the records came. The first
    // two of each record travel with it, so that most comparisons look at nothing else.
    const size_t width = fields.size();
    std::vector<Key> keys(recnos.size() * width);
    for (size_t r = 0; r < recnos.size(); ++r)
        for (size_t k = 0; k < width; ++k)
            keys[r * width + k] = KeyOf(table, recnos[r], fields[k].field,
                                        defs[static_cast<size_t>(fields[k].field)].type == 'C');
    table.CheckIntact();
    struct Entry {
        Key first[2];
        uint32_t at; // the record's place in `recnos`
    };
    std::vector<Entry> entries(recnos.size());
    for (size_t r = 0; r < recnos.size(); ++r) {
        Entry& e = entries[r];
        e.at = static_cast<uint32_t>(r);
        for (size_t k = 0; k < std::min<size_t>(width, 2); ++k)
            e.first[k] = keys[r * width + k];
    }
    const auto ordered = [&](size_t k, const Key& a, const Key& b, bool& decided) {
        const int c = Compare(a, b);
        decided = c != 0;
        return fields[k].descending ? c > 0 : c < 0;
    };
    std::stable_sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        bool decided = false;
        for (size_t k = 0; k < width; ++k) {
            const bool less =
                k < 2 ? ordered(k, a.first[k], b.first[k], decided)
                      : ordered(k, keys[a.at * width + k], keys[b.at * width + k], decided);
            if (decided) return less;
        }
        return false;
    });
    std::vector<uint32_t> sorted(recnos.size());
    for (size_t i = 0; i < entries.size(); ++i)
        sorted[i] = recnos[entries[i].at];
    recnos = std::move(sorted);
    return true;
}

} // namespace foxdb
