#pragma once
// The rights string of the logged-in user: the login name, then one item for every
// right the user lacks (the right's number plus 10), then the discount item, each
// followed by ",". Items are compared whole: a login name or a discount such as
// "折扣=5.6" never counts as a token.
#include <wx/string.h>

// Whether the rights string lists token as an item of its own (the login name, the
// first item, is not looked at).
bool RightsHaveToken(const wxString& rights, const wxString& token);

// Whether the user may use the numbered right (4 to 57): never before a login (empty
// rights string), else when the right's token is not listed.
bool RightAllowed(const wxString& rights, int right);
