#pragma once
// Spreading the lines of a stock-in over the warehouses and their bins: one row per
// warehouse that received a quantity, one row for the rest, each with the bin where
// the same part already lies when there is one. The bin dialog shows the rows for
// correction; the stock-in stores what it accepted.
#include "parts/part_line.h"
#include "parts/stock_in.h"

#include <vector>

namespace parts {

// `stores`: the warehouse names in column order (the lines' `stores` follow them).
// Warehouse quantities above a line's own show "入库总数量与库房分配数量不相符!"; the
// warehouse rows stay and the line gets no rest row.
std::vector<PartLine> AllocateBins(const std::vector<PartLine>& lines,
                                   const std::vector<wxString>& stores,
                                   const std::vector<StockEntry>& stock);

// The bin of the first stock row of the row's part (the same 零件名称, 厂牌 and 车型)
// whose bin contains `store`, or any bin with anyBin; the row's own bin without one.
wxString ProposeBin(const PartLine& row, const wxString& store, bool anyBin,
                    const std::vector<StockEntry>& stock);

} // namespace parts
