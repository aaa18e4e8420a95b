#pragma once
// The repair sheet's opener (rights are the command table's): a new sheet in the
// lower pane with the walk-in page "零散客户" first and one page per customer whose
// open card is not suspended.

class CMainFrame;

namespace work {

void OpenRepairSheet(CMainFrame& frame);
void RegisterRepairSheet();

} // namespace work
