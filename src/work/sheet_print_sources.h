#pragma once
// Tells the printing which work sheet is in front and which repair card is open, so
// the cost sheet and the repair-order forms print the card's own lines and head.

namespace work {

void RegisterPrintSources();

} // namespace work
