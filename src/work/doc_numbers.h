#pragma once
// Document numbers of settled repair cards and sales tickets: the day "%Y%m%d" and a
// running number "001".."999", one sequence for repair and sales kept in the settings
// file "M_DJH" (the number the next document takes). Each work sheet keeps a copy of
// the last number it read or issued. A day's 999th number is issued; the counter is
// then marked used up, and the 1000th number and a damaged counter are refused with a
// message rather than wrapped into a number already given.
#include <wx/datetime.h>
#include <wx/string.h>

namespace work {

// Advances the counter and returns the new number (after the day's last number: that
// number, the counter marked used up). A sheet's first call (empty
// copy) only loads the counter when it holds today's number. Empty after a refusal,
// which has been shown.
wxString NextDocNumber(wxString& sheetNumber, const wxDateTime& now = wxDateTime::Now());
// The number the next document takes, read from the file every time; starts the day's
// sequence when the file holds an earlier day. Empty after a refusal.
wxString GetDocNumber(wxString& sheetNumber, const wxDateTime& now = wxDateTime::Now());

} // namespace work
