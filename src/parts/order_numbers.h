#pragma once
// Numbers of the order page's documents: the day as "%Y%m%d" and a running number of
// at least three digits that starts again at "001" each day.
#include <wx/datetime.h>
#include <wx/string.h>

namespace parts {

// The number after `last` on the day of `now`. The whole running part counts, so the
// numbers past "…999" go on with "…1000", "…1001" and never come round again.
wxString NextOrderNumber(const wxString& last, const wxDateTime& now = wxDateTime::Now());

} // namespace parts
