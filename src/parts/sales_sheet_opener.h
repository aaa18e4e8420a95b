#pragma once
// The sales sheet's opener (rights are the command table's): a new sheet in the lower
// pane with the walk-in page "零散客户" first and one page per customer whose open
// ticket is not suspended.

class CMainFrame;

namespace parts {

void OpenSalesSheet(CMainFrame& frame);
void RegisterSalesSheet();

} // namespace parts
