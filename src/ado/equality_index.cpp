#include "ado/equality_index.h"

#include "ado/criteria.h"
#include "ado/row_store.h"

namespace ado {

const std::vector<long>* EqualityIndex::Candidates(const RowStore& store, int column,
                                                   const std::string& key) {
    auto [it, first] = columns_.try_emplace(column);
    Column& index = it->second;
    if (first) return nullptr;
    if (!index.built) {
        const ColumnInfo& info = store.columns[static_cast<size_t>(column)];
        for (long id = 0; id < static_cast<long>(store.rows.size()); ++id) {
            const foxdb::Value& v =
                store.rows[static_cast<size_t>(id)].Values()[static_cast<size_t>(column)];
            if (!foxdb::IsNull(v)) index.rows[EqualityKey(info, v)].push_back(id);
        }
        index.built = true;
    }
    static const std::vector<long> kNone;
    auto found = index.rows.find(key);
    return found == index.rows.end() ? &kNone : &found->second;
}

} // namespace ado
