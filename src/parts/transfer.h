#pragma once
// Archiving a transfer: the lines leave the stock bin by bin and are recorded in
// `LJDB` with their destination, or, moved inside the store, go back into stock at
// the bins the operator allocates. Stock and records change in one transaction.
#include "parts/part_line.h"
#include "parts/stock_in.h"

#include <vector>

namespace parts {

// The operator as 操作员 takes it: the login name (the rights text before its first
// comma), at most 12 bytes.
wxString OperatorName(const wxString& rights);

// Why the lines cannot be transferred, empty when they can: every line names a part
// (编号 or 零件名称) that the stock holds, so what is recorded as moved leaves the stock.
wxString TransferRefusal(const std::vector<PartLine>& lines, const std::vector<StockEntry>& stock);

// A line known by its code alone takes the part's name, model, unit and brand from its
// first stock row, so the questions and the records name the part.
void CompleteFromStock(std::vector<PartLine>& lines, const std::vector<StockEntry>& stock);

// Appends one `LJDB` row per line; throws ado::ComError when it could not be saved.
void WriteTransferRecords(const std::vector<PartLine>& lines, const wxString& destination,
                          const wxString& operatorName);

} // namespace parts
