#pragma once
// What the record dialogs and the archive read and write of the main frame's active
// work sheet: whether there is one, its current customer (the title of the page
// last activated), the re-activation of its active page after a dialog that may have
// changed the page's data, and the lines a dialog hands to that page.
#include "work/service_usage.h"

#include <vector>
#include <wx/string.h>

namespace active_sheet {

bool Exists();
wxString Customer();
void SetCustomer(const wxString& customer);
// The customer of the active page when the sheet holds documents of the kind ('W'
// repair cards, 'P' sales tickets); empty otherwise.
wxString PageCustomer(char kind);
void ReactivatePage();
// Puts the services onto the active page's card as new lines, completed as the page
// completes its own; nothing without an active page.
void AddServiceLines(const std::vector<const CServiceUsage::Item*>& services);

// Puts a maintenance item onto the active repair card as a new line of one piece:
// the stocked part of its code (or, without a code, of its name), else the labour
// item, else the name and code alone. False when no repair card is active.
bool AddDueItem(const wxString& name, const wxString& code);

// The title of the walk-in customer's page: a record dialog opened from it shows no
// vehicle of its own.
const wxString& WalkIn(); // "零散客户"

} // namespace active_sheet
