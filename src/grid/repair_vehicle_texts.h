#pragma once
// The document head of the repair-order forms taken from the open work card and the
// vehicle record of its customer (table gk), into the print texts.
#include "grid/print_seam.h"

#include <vector>
#include <wx/string.h>

class CDataSet;

namespace repair_vehicle_texts {

// The customer name of walk-in sales: no vehicle record to look up.
wxString WalkInCustomer();

// Fills the vehicle entries of texts (resized to their full count): date in and
// mileage from the card's record, the rest from the first vehicle whose plate holds
// the card's customer (opened on data), and the fault from the vehicle's note file.
// A field that is Null, or a vehicle not found, leaves its entry as it was.
void Fill(CDataSet& data, const OpenWorkCard& card, std::vector<wxString>& texts);

// The first line of the work card's note file of the plate ("Picture/" + plate +
// "(维修)"), trailing commas removed; empty when there is none.
wxString NoteFirstLine(const wxString& plate);

} // namespace repair_vehicle_texts
