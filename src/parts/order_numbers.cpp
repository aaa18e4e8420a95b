#include "parts/order_numbers.h"

namespace parts {

wxString NextOrderNumber(const wxString& last, const wxDateTime& now) {
    const wxString today = now.Format("%Y%m%d");
    wxString number = last;
    number.Trim(true).Trim(false);
    unsigned long running = 0;
    const wxString tail = number.Mid(8);
    if (number.Left(8) != today || tail.empty() ||
        tail.find_first_not_of("0123456789") != wxString::npos || !tail.ToULong(&running))
        return today + "001";
    return today + wxString::Format("%03lu", running + 1);
}

} // namespace parts
