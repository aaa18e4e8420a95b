#pragma once
// A sales ticket in the sales sheet's lines recordset: the rows of one customer, the
// first of which, in the order the rows were read, is the ticket's header record
// (document number, archived mark, the customer's contact data, the ticket discount,
// the wholesale mark and the price level). The header stays first whatever order the
// grid sorts the lines in, and no walk over the lines ever reaches it.
#include "ado/recordset.h"

#include <vector>
#include <wx/string.h>

namespace parts {

extern const char* const kWalkIn; // "零散客户"

// The recordset on the ticket's header record; false when the ticket has no row.
bool MoveToTicketHeader(const ado::RecordsetPtr& rs);
// The bookmarks of the ticket's sale lines in the order they are shown.
std::vector<ado::Variant> TicketLines(const ado::RecordsetPtr& rs);
// A fresh header record for the customer: 客户, no "-1", flag "P".
void AddTicketHeader(const ado::RecordsetPtr& rs, const wxString& customer);

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

// The note file of a ticket: the customer's own, or "零散客户(配件)" for walk-in sales.
wxString SalesNoteFileName(const wxString& customer);

} // namespace parts
