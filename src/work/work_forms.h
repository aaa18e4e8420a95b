#pragma once
// The openers of the workshop forms: the work pages, repair work cards, vehicle
// customers, membership cards, the repair archive and the code tables.

namespace work {

// Registers the opener of each of this folder's forms with the main window.
void RegisterForms();

} // namespace work
