#pragma once
// The openers of the parts-trade forms: the counter, returns, orders, stock-in and
// transfers, splitting and assembling parts.

namespace parts {

// Registers the opener of each of this folder's forms with the main window.
void RegisterForms();

} // namespace parts
