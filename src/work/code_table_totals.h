#pragma once
// The stock totals under the stock table: 进价, 批发价 and 零售价 times 数量 over the
// listed rows, as whole yuan.
#include "ado/recordset.h"

#include <wx/string.h>

namespace work {

struct StockTotals {
    float cost = 0;
    float wholesale = 0;
    float retail = 0;
};

// Over every record of the recordset; a record without a quantity or a price adds
// nothing to that price's sum. The recordset is left on its last record.
StockTotals SumStock(const ado::RecordsetPtr& rs);

// A sum as shown: "%.0f", or "******" when that is longer than 8 characters.
wxString StockTotalText(float sum);

} // namespace work
