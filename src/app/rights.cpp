#include "app/rights.h"

#include <wx/tokenzr.h>

bool RightsHaveToken(const wxString& rights, const wxString& token) {
    wxStringTokenizer items(rights, ",", wxTOKEN_RET_EMPTY_ALL);
    if (!items.HasMoreTokens()) return false;
    items.GetNextToken(); // the login name
    while (items.HasMoreTokens())
        if (items.GetNextToken().Strip(wxString::both) == token) return true;
    return false;
}

bool RightAllowed(const wxString& rights, int right) {
    return !rights.empty() && !RightsHaveToken(rights, wxString::Format("%d", right + 10));
}
