#pragma once
// Archiving an order: its lines stored in `dhd`, and on the operator's Yes each
// supplier's own amount booked as payable, all in one transaction.
#include "ado/recordset.h"
#include "parts/part_line.h"

#include <vector>

class CMainFrameData;

namespace parts {

// `rs`: the order lines recordset (every pending change of `dhd`); `order`: the lines
// of the order just archived; `total`: its total as shown ("0", "0.00" or empty ask
// nothing). New lines naming no part are dropped when nothing was typed into them,
// else refused. False after a message: nothing was stored.
bool SaveOrder(const ado::RecordsetPtr& rs, const std::vector<PartLine>& order,
               const wxString& total, const wxString& orderNumber, CMainFrameData& frame);

} // namespace parts
