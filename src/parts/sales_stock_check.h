#pragma once
// The stock check before a sales ticket is printed: for every part on the ticket,
// what all open tickets and work cards (`zyxm`) still want of it against what the
// stock (`ljkc`) holds of it. A part is known by its 编号, or by its name when it has
// none, and both sides are summed over all its rows (models, bins, names).
#include <functional>
#include <vector>
#include <wx/string.h>

namespace parts {

struct TicketPart {
    wxString code; // 编号
    wxString name; // 项目名称
};

// Asks "“x”的库存量小于各售货单总和,是否忽略?" for each part wanted beyond its stock
// or without any stock row; a part on several lines is asked about once. ignore(text)
// answers the question; false stops the check and the print.
bool CheckStockForTickets(const std::vector<TicketPart>& parts,
                          const std::function<bool(const wxString& question)>& ignore);

} // namespace parts
