#pragma once
// The safety net under every event handler: an exception that a handler let escape
// is logged and shown (the recordset error box for a data access error, a plain
// message otherwise), and the program goes on with its next event.

// Reports the exception being handled. Call it only inside a catch block.
void ReportHandlerException();
