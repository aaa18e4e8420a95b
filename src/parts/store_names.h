#pragma once
// The warehouses (库房) named in the company data, and the stock query of the
// stock-in and transfer pages with one quantity column per warehouse.
#include "app/company_data.h"

#include <vector>
#include <wx/string.h>

namespace parts {

// The warehouse names live with the company data.
using ::kMaxStores;
using ::kNoStores;
using ::ReadStoreNames;
using ::SplitStoreNames;

// The column a warehouse's quantity goes under: its name when that is a plain name a
// statement can carry, else "库房<n>" (n from 1), so no typed name is ever spliced
// into a statement.
wxString StoreColumn(const wxString& store, size_t index);
std::vector<wxString> StoreColumns(const std::vector<wxString>& stores);

// The empty stock query: the `ljkc` columns, 代理价 with the three price levels, and
// a quantity column per warehouse after 数量.
wxString StockQuery(bool threeLevel, const std::vector<wxString>& stores);

} // namespace parts
