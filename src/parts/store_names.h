#pragma once
// The warehouses (库房) named in the company data, and the stock query of the
// stock-in and transfer pages with one quantity column per warehouse.
#include <vector>
#include <wx/string.h>

namespace parts {

// What a fresh company data file may hold in the warehouse item: no warehouses.
extern const char* const kNoStores;
// More names than this are ignored: the page has no room for their columns.
constexpr size_t kMaxStores = 109;

// The names of the warehouse item: cut at "," and "，", each without a trailing carriage
// return, cut to 10 GBK bytes on a character boundary; empty names are skipped.
std::vector<wxString> SplitStoreNames(const wxString& item);
// The warehouses of the company data file (none when it is missing).
std::vector<wxString> ReadStoreNames();

// The column a warehouse's quantity goes under: its name when that is a plain name a
// statement can carry, else "库房<n>" (n from 1), so no typed name is ever spliced
// into a statement.
wxString StoreColumn(const wxString& store, size_t index);
std::vector<wxString> StoreColumns(const std::vector<wxString>& stores);

// The empty stock query: the `ljkc` columns, 代理价 with the three price levels, and
// a quantity column per warehouse after 数量.
wxString StockQuery(bool threeLevel, const std::vector<wxString>& stores);

} // namespace parts
