#pragma once
// What the repair card takes over from the customer record after its 资料 button: the
// vehicle's model, colour, owner and customer feature in the card's header record,
// and the card's lines moved from the card's old title (a part of the plate typed at
// reception) to the plate the record was saved under.
#include "data/data_set.h"

#include <wx/string.h>

namespace work {

// `lines` is the sheet's lines recordset, `oldTitle` the card's customer key and
// `plate` the plate shown when the record closed. Nothing changes unless the plate
// contains the old title and `gk` holds exactly that plate. True when the card's
// records were changed (pending in `lines`, to be saved with the sheet's lines).
bool ApplyCustomerData(CDataSet& data, const ado::RecordsetPtr& lines, const wxString& oldTitle,
                       const wxString& plate);

} // namespace work
