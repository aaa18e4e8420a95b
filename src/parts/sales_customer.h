#pragma once
// A sales ticket taken over by a registered customer: the one partner of `wlkf` whose
// unit name holds the ticket's name gives the ticket's header its contact data, price
// level and discount, and the ticket moves to the partner's full name.
#include "ado/recordset.h"
#include "data/data_set.h"

#include <wx/string.h>

namespace parts {

// Opens the customers whose unit name holds the text literally ("%" and "_" are no
// wildcards); true when exactly one does, data then on its record.
bool FindOnePartner(CDataSet& data, const wxString& text);
// The header record of the lines recordset (current record) from the partner's
// record: the contact person, mobile and telephone fall back to the manager's when
// blank; the address is cut to 30 bytes; 故障 is emptied (a suspended ticket is
// active again).
void WritePartnerHeader(const ado::RecordsetPtr& lines, ado::Recordset& partner);
// Every row of the recordset whose 客户 is `from` gets `to`; the filter is dropped.
void RenameTicket(const ado::RecordsetPtr& lines, const wxString& from, const wxString& to);

} // namespace parts
