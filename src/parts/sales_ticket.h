#pragma once
// The header record of a sales ticket (work/header_record.h): document number,
// archived mark, the customer's contact data, the ticket discount, the wholesale mark
// and the price level.
#include "ado/recordset.h"

#include <wx/string.h>

namespace parts {

// What the page shows of the header.
struct SalesHeader {
    wxString number; // 货位, else the sheet's number unless archived
    wxString address, fax, phone, contact, mobile, remark;
    wxString balance; // 小计 "%.2f"
    bool wholesale = false;
    wxString discount = "100";
    wxString priceLevel = "3";
    bool archived = false;
};
// Read from the header record; sheetNumber is shown while the ticket has none.
SalesHeader ReadSalesHeader(const ado::RecordsetPtr& rs, const wxString& sheetNumber);

} // namespace parts
