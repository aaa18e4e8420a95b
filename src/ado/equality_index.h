#pragma once
// Row ids by the equality key of a column's values, kept with the rows (clones share
// it), so that a filter "field = 'text'" put again and again on the same column (a
// sheet showing its tickets one by one) finds its rows without looking at every row.
// A column is indexed the second time it is asked for on the same values, so that a
// one-off filter costs what a scan costs. Any change of a value forgets everything.
#include <string>
#include <unordered_map>
#include <vector>

namespace ado {

struct RowStore;

class EqualityIndex {
public:
    // The ids, ascending, of the rows of `store` whose value in `column` is not Null
    // and has `key` as its EqualityKey; nullptr while the column is not indexed.
    const std::vector<long>* Candidates(const RowStore& store, int column, const std::string& key);
    void Clear() { columns_.clear(); }

private:
    struct Column {
        bool built = false; // asked for once before when false
        std::unordered_map<std::string, std::vector<long>> rows;
    };
    std::unordered_map<int, Column> columns_;
};

} // namespace ado
